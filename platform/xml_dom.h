#pragma once
// Reading XML files as a DOM: the launcher information file and the filter
// definition file are small trees read element by element. Every text crosses
// this port as UTF-16, the way the DOM components hand it over on Windows.
//
// Names are compared exactly (case-sensitive, qualified name as written in the
// file). Whitespace-only text is kept, so a text value is always verbatim.
// Elements keep their document alive; a caller may drop the document first.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class XmlElement;
using XmlElementList = std::vector<std::unique_ptr<XmlElement>>;

class XmlElement {
public:
    virtual ~XmlElement() = default;
    // The element's name as written, prefix included.
    virtual std::u16string Name() const = 0;
    // Complete text content: every text and CDATA piece below the element, in
    // document order, joined without anything added or trimmed.
    virtual std::u16string Text() const = 0;
    // The first child element with that name, or null.
    virtual std::unique_ptr<XmlElement> FirstChild(std::u16string_view name) const = 0;
    // Every child element with that name, in document order.
    virtual XmlElementList Children(std::u16string_view name) const = 0;
    // Every child element, whatever its name, in document order.
    virtual XmlElementList ChildElements() const = 0;
    // Every element below this one (not itself) with that name, in document order.
    virtual XmlElementList Descendants(std::u16string_view name) const = 0;
};

class XmlDocument {
public:
    virtual ~XmlDocument() = default;
    // The root element; a loaded document always has one.
    virtual std::unique_ptr<XmlElement> DocumentElement() const = 0;
};

class XmlDom {
public:
    virtual ~XmlDom() = default;
    // Whether anything exists at the path. Callers check this first so that no
    // DOM component is created for a file that is not there.
    virtual bool FileExists(const std::u16string& path) = 0;
    // Parses the file at the path, whitespace preserved. Null when the DOM
    // component cannot be created, the file cannot be read, it is not
    // well-formed XML or it has no document element.
    virtual std::unique_ptr<XmlDocument> LoadFile(const std::u16string& path) = 0;
};

}  // namespace platform
