#include "platform/win32/xml_dom_msxml.h"

#include "platform/win32/system_library_win32.h"
#include "platform/xml_prolog.h"

#include <windows.h>
#include <ole2.h>
#include <msxml2.h>

#include <cstring>
#include <utility>
#include <vector>

namespace platform {
namespace {

// IXMLDOMDocument, spelled out: MinGW's import libraries do not all carry it.
const IID kIidXmlDomDocument = {
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// IXMLDOMDocument2, for the parser's security properties.
const IID kIidXmlDomDocument2 = {
    0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Everything: in-process server and handler, local and remote server.
constexpr DWORD kAllClassContexts = 0x17;

// COM and its automation types, bound when the first file is read rather than
// imported: a program that reads its file on another thread than the one that
// makes its windows thereby keeps the loading of these (and of what they load)
// off the window thread, and a program that reads no file never loads them.
struct ComLibraries {
    HRESULT(WINAPI* coInitialize)(LPVOID) = nullptr;
    void(WINAPI* coUninitialize)() = nullptr;
    HRESULT(WINAPI* coCreateInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = nullptr;
    HRESULT(WINAPI* oleRun)(LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* createStreamOnHGlobal)(HGLOBAL, BOOL, LPSTREAM*) = nullptr;
    BSTR(WINAPI* sysAllocString)(const OLECHAR*) = nullptr;
    void(WINAPI* sysFreeString)(BSTR) = nullptr;
    UINT(WINAPI* sysStringLen)(BSTR) = nullptr;
    HRESULT(WINAPI* variantClear)(VARIANTARG*) = nullptr;

    bool Complete() const {
        return coInitialize && coUninitialize && coCreateInstance && oleRun &&
               createStreamOnHGlobal && sysAllocString && sysFreeString && sysStringLen &&
               variantClear;
    }
};

// Loaded once per process, from the system folder, and kept.
const ComLibraries& Com() {
    static const ComLibraries libraries = [] {
        ComLibraries com;
        const HMODULE ole = LoadSystemLibrary(L"ole32.dll");
        const HMODULE automation = LoadSystemLibrary(L"oleaut32.dll");
        using Ole = ComLibraries;
        com.coInitialize = LibraryFunction<decltype(Ole::coInitialize)>(ole, "CoInitialize");
        com.coUninitialize = LibraryFunction<decltype(Ole::coUninitialize)>(ole, "CoUninitialize");
        com.coCreateInstance =
            LibraryFunction<decltype(Ole::coCreateInstance)>(ole, "CoCreateInstance");
        com.oleRun = LibraryFunction<decltype(Ole::oleRun)>(ole, "OleRun");
        com.createStreamOnHGlobal =
            LibraryFunction<decltype(Ole::createStreamOnHGlobal)>(ole, "CreateStreamOnHGlobal");
        com.sysAllocString =
            LibraryFunction<decltype(Ole::sysAllocString)>(automation, "SysAllocString");
        com.sysFreeString =
            LibraryFunction<decltype(Ole::sysFreeString)>(automation, "SysFreeString");
        com.sysStringLen = LibraryFunction<decltype(Ole::sysStringLen)>(automation, "SysStringLen");
        com.variantClear = LibraryFunction<decltype(Ole::variantClear)>(automation, "VariantClear");
        return com;
    }();
    return libraries;
}

// Owns one reference to a COM object.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* pointer) : pointer_(pointer) {}
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset() {
        if (pointer_) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }
    T** Out() {
        Reset();
        return &pointer_;
    }
    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

std::u16string FromBstr(BSTR text) {
    if (!text) {
        return std::u16string();
    }
    return std::u16string(reinterpret_cast<const char16_t*>(text), Com().sysStringLen(text));
}

bool NameIs(IXMLDOMNode* node, std::u16string_view name) {
    BSTR nodeName = nullptr;
    if (FAILED(node->get_nodeName(&nodeName)) || !nodeName) {
        return false;
    }
    const UINT length = Com().sysStringLen(nodeName);
    const bool same =
        length == name.size() && std::memcmp(nodeName, name.data(), length * sizeof(char16_t)) == 0;
    Com().sysFreeString(nodeName);
    return same;
}

DOMNodeType TypeOf(IXMLDOMNode* node) {
    DOMNodeType type = NODE_INVALID;
    if (FAILED(node->get_nodeType(&type))) {
        return NODE_INVALID;
    }
    return type;
}

ComRef<IXMLDOMNode> FirstChildOf(IXMLDOMNode* node) {
    ComRef<IXMLDOMNode> child;
    if (FAILED(node->get_firstChild(child.Out()))) {
        child.Reset();
    }
    return child;
}

ComRef<IXMLDOMNode> NextSiblingOf(IXMLDOMNode* node) {
    ComRef<IXMLDOMNode> sibling;
    if (FAILED(node->get_nextSibling(sibling.Out()))) {
        sibling.Reset();
    }
    return sibling;
}

// Walks every node below `root` depth first without recursion, keeping the
// path of ancestors, and hands each one to the visitor.
template <typename Visit>
void WalkBelow(IXMLDOMNode* root, Visit visit) {
    std::vector<ComRef<IXMLDOMNode>> path;
    ComRef<IXMLDOMNode> current = FirstChildOf(root);
    while (current || !path.empty()) {
        if (!current) {
            current = NextSiblingOf(path.back().Get());
            path.pop_back();
            continue;
        }
        visit(current.Get());
        ComRef<IXMLDOMNode> child = FirstChildOf(current.Get());
        if (child) {
            path.push_back(std::move(current));
            current = std::move(child);
        } else {
            current = NextSiblingOf(current.Get());
        }
    }
}

// One COM bracket: initialised before the document is created, uninitialised
// after it is released. Shared by the document and every element handed out.
class ComSession {
public:
    ComSession() : initialised_(SUCCEEDED(Com().coInitialize(nullptr))) {}
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    ~ComSession() {
        document.Reset();
        if (initialised_) {
            Com().coUninitialize();
        }
    }

    ComRef<IXMLDOMDocument> document;

private:
    bool initialised_;
};

using SharedSession = std::shared_ptr<ComSession>;

class MsxmlElement final : public XmlElement {
public:
    MsxmlElement(SharedSession session, ComRef<IXMLDOMNode> node)
        : session_(std::move(session)), node_(std::move(node)) {}

    std::u16string Name() const override {
        BSTR name = nullptr;
        if (FAILED(node_->get_nodeName(&name))) {
            return std::u16string();
        }
        std::u16string result = FromBstr(name);
        Com().sysFreeString(name);
        return result;
    }

    std::u16string Text() const override {
        std::u16string text;
        WalkBelow(node_.Get(), [&text](IXMLDOMNode* node) {
            const DOMNodeType type = TypeOf(node);
            if (type != NODE_TEXT && type != NODE_CDATA_SECTION) {
                return;
            }
            VARIANT value{};  // VT_EMPTY
            if (SUCCEEDED(node->get_nodeValue(&value)) && value.vt == VT_BSTR) {
                text += FromBstr(value.bstrVal);
            }
            Com().variantClear(&value);
        });
        return text;
    }

    std::unique_ptr<XmlElement> FirstChild(std::u16string_view name) const override {
        for (ComRef<IXMLDOMNode> child = FirstChildOf(node_.Get()); child;
             child = NextSiblingOf(child.Get())) {
            if (TypeOf(child.Get()) == NODE_ELEMENT && NameIs(child.Get(), name)) {
                return std::make_unique<MsxmlElement>(session_, std::move(child));
            }
        }
        return nullptr;
    }

    XmlElementList Children(std::u16string_view name) const override {
        return CollectChildren(&name);
    }

    XmlElementList ChildElements() const override { return CollectChildren(nullptr); }

    XmlElementList Descendants(std::u16string_view name) const override {
        XmlElementList list;
        WalkBelow(node_.Get(), [&](IXMLDOMNode* node) {
            if (TypeOf(node) == NODE_ELEMENT && NameIs(node, name)) {
                node->AddRef();
                list.push_back(std::make_unique<MsxmlElement>(session_, ComRef<IXMLDOMNode>(node)));
            }
        });
        return list;
    }

private:
    XmlElementList CollectChildren(const std::u16string_view* name) const {
        XmlElementList list;
        ComRef<IXMLDOMNode> child = FirstChildOf(node_.Get());
        while (child) {
            ComRef<IXMLDOMNode> next = NextSiblingOf(child.Get());
            if (TypeOf(child.Get()) == NODE_ELEMENT && (!name || NameIs(child.Get(), *name))) {
                list.push_back(std::make_unique<MsxmlElement>(session_, std::move(child)));
            }
            child = std::move(next);
        }
        return list;
    }

    // Declared first so that the node is released before the session ends.
    SharedSession session_;
    ComRef<IXMLDOMNode> node_;
};

class MsxmlDocument final : public XmlDocument {
public:
    explicit MsxmlDocument(SharedSession session) : session_(std::move(session)) {}

    std::unique_ptr<XmlElement> DocumentElement() const override {
        ComRef<IXMLDOMElement> root;
        if (FAILED(session_->document->get_documentElement(root.Out())) || !root) {
            return nullptr;
        }
        IXMLDOMNode* node = root.Get();
        node->AddRef();
        return std::make_unique<MsxmlElement>(session_, ComRef<IXMLDOMNode>(node));
    }

private:
    SharedSession session_;
};

// The whole file, read once: what is checked is exactly what is parsed, even
// when someone rewrites the file in between. False when it cannot be read.
bool ReadWholeFile(const std::u16string& path, std::vector<unsigned char>* bytes) {
    HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        bytes->resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (ok && done < bytes->size()) {
            DWORD read = 0;
            ok = ReadFile(file, bytes->data() + done, static_cast<DWORD>(bytes->size() - done),
                          &read, nullptr) &&
                 read > 0;
            done += read;
        }
    }
    CloseHandle(file);
    return ok;
}

// A stream over a copy of the bytes, as the document's load takes it.
ComRef<IStream> StreamOver(const std::vector<unsigned char>& bytes) {
    ComRef<IStream> stream;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (memory == nullptr) {
        return stream;
    }
    void* target = GlobalLock(memory);
    if (target != nullptr && !bytes.empty()) {
        std::memcpy(target, bytes.data(), bytes.size());
    }
    GlobalUnlock(memory);
    if (target == nullptr || FAILED(Com().createStreamOnHGlobal(memory, TRUE, stream.Out())) ||
        !stream) {
        stream.Reset();
        GlobalFree(memory);
        return stream;
    }
    ULARGE_INTEGER length;
    length.QuadPart = bytes.size();
    stream->SetSize(length);
    return stream;
}

void SetBooleanProperty(IXMLDOMDocument2* document, const wchar_t* name, bool value) {
    BSTR property = Com().sysAllocString(name);
    if (property == nullptr) {
        return;
    }
    VARIANT setting{};  // VT_EMPTY
    setting.vt = VT_BOOL;
    setting.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    // Older parsers do not know every property; the prolog check stands in.
    document->setProperty(property, setting);
    Com().sysFreeString(property);
}

// The files are data: no document type, nothing fetched from elsewhere, no
// validation, no script or document() calls should a style sheet ever be run.
void HardenParser(IXMLDOMDocument* document) {
    document->put_resolveExternals(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    ComRef<IXMLDOMDocument2> second;
    if (SUCCEEDED(document->QueryInterface(kIidXmlDomDocument2,
                                           reinterpret_cast<void**>(second.Out()))) &&
        second) {
        SetBooleanProperty(second.Get(), L"ProhibitDTD", true);
        SetBooleanProperty(second.Get(), L"AllowDocumentFunction", false);
        SetBooleanProperty(second.Get(), L"AllowXsltScript", false);
    }
}

}  // namespace

bool MsxmlDom::FileExists(const std::u16string& path) {
    return GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) !=
           INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<XmlDocument> MsxmlDom::LoadFile(const std::u16string& path) {
    // Without COM there is no DOM component to read with.
    if (!Com().Complete()) return nullptr;
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, &bytes) || XmlDeclaresDocumentType(bytes.data(), bytes.size())) {
        return nullptr;
    }
    auto session = std::make_shared<ComSession>();
    CLSID documentClass;
    documentClass.Data1 = documentClass_.data1;
    documentClass.Data2 = documentClass_.data2;
    documentClass.Data3 = documentClass_.data3;
    std::memcpy(documentClass.Data4, documentClass_.data4, sizeof(documentClass.Data4));
    // With out-of-process contexts allowed, the object may be a server that
    // has to be put into its running state before it answers its interfaces.
    ComRef<IUnknown> object;
    if (FAILED(Com().coCreateInstance(documentClass, nullptr, kAllClassContexts, IID_IUnknown,
                                      reinterpret_cast<void**>(object.Out()))) ||
        !object || FAILED(Com().oleRun(object.Get())) ||
        FAILED(object->QueryInterface(kIidXmlDomDocument,
                                      reinterpret_cast<void**>(session->document.Out()))) ||
        !session->document) {
        return nullptr;
    }
    IXMLDOMDocument* document = session->document.Get();
    // Values are taken verbatim, so whitespace-only text must survive the load.
    document->put_async(VARIANT_FALSE);
    document->put_preserveWhiteSpace(VARIANT_TRUE);
    HardenParser(document);

    ComRef<IStream> stream = StreamOver(bytes);
    if (!stream) {
        return nullptr;
    }
    VARIANT source{};  // VT_EMPTY
    source.vt = VT_UNKNOWN;
    source.punkVal = stream.Get();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT result = document->load(source, &loaded);
    if (FAILED(result) || loaded != VARIANT_TRUE) {
        return nullptr;
    }
    ComRef<IXMLDOMElement> root;
    if (FAILED(document->get_documentElement(root.Out())) || !root) {
        return nullptr;
    }
    return std::make_unique<MsxmlDocument>(std::move(session));
}

}  // namespace platform
