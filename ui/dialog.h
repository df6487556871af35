#pragma once
// A dialog built from a template of the resources. One static dialog procedure finds
// the object (stored at WM_INITDIALOG), reflects control notifications to subclassed
// controls, forwards to the virtual handlers below and turns their results into the
// dialog return-value rules. No exception leaves the procedure.
//
// A derived class declares its template id, attaches its controls by id in
// OnInitDialog and takes inputs and gives outputs through public fields.
#include "ui/window.h"

namespace ui {

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId, HINSTANCE resources = nullptr);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally with its own message loop (so the pre-translate chain
    // keeps working inside it); returns the EndDialog value, or -1 when the template
    // could not be created.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog modeless and registers it with the message loop.
    bool Create(HWND parent = nullptr);
    // Modal: leaves DoModal with result. Modeless: destroys the window.
    void EndDialog(INT_PTR result);

    UINT TemplateId() const { return templateId_; }
    // A template in memory used instead of the resource (null: the resource again);
    // the caller keeps it alive while the dialog is created.
    void SetTemplate(const DLGTEMPLATE* dialogTemplate) { memoryTemplate_ = dialogTemplate; }
    bool IsModal() const { return modal_; }
    INT_PTR Result() const { return result_; }

    // The framework dialog behind a window, or null.
    static Dialog* FromHandle(HWND window);

    // Called by the message loop for messages aimed at this dialog or its children
    // before they are dispatched; true consumes the message.
    virtual bool PreTranslateMessage(MSG& message) { return false; }

protected:
    // True lets Windows put the focus on the first control.
    virtual bool OnInitDialog() { return true; }
    // IDOK and IDCANCEL reach OnOK and OnCancel when this returns false.
    virtual bool OnCommand(int id, int code, HWND control) { return false; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual bool OnNotify(int id, NMHDR* header, LRESULT& result) { return false; }
    virtual bool OnHScroll(int code, int position, HWND control) { return false; }
    virtual bool OnVScroll(int code, int position, HWND control) { return false; }
    virtual bool OnTimer(UINT_PTR id) { return false; }
    // type is CTLCOLOR_DLG, CTLCOLOR_STATIC, ...; null keeps the default colours.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) { return nullptr; }
    virtual void OnDestroy() {}
    // Every other message; set result and return true when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return false;
    }
    // The window is gone; an object that owns itself may delete itself here.
    virtual void PostNcDestroy() {}

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Bind(HWND window);
    void Unbind();

    HWND CreateFromTemplate(HWND parent);

    UINT templateId_;
    HINSTANCE resources_;
    const DLGTEMPLATE* memoryTemplate_ = nullptr;
    bool modal_ = false;
    bool ending_ = false;
    INT_PTR result_ = 0;
};

}  // namespace ui
