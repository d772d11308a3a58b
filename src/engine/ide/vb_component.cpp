#include "engine/ide/vb_component.h"

#include <functional>
#include <string_view>

#include "engine/ide/code_lines.h"
#include "engine/ide/code_module.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_form.h"
#include "platform/file_ops.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::ide {

namespace {

uint64_t HashBytes(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

// The binary companion of a designer file: .frm → .frx, .ctl → .ctx ...
std::string CompanionOf(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || fileName.find('\\', dot) != std::string::npos)
        return "";
    const std::string ext = AsciiLower(fileName.substr(dot + 1));
    const char* companion = ext == "frm"   ? "frx"
                            : ext == "ctl" ? "ctx"
                            : ext == "pag" ? "pgx"
                            : ext == "dob" ? "dox"
                            : ext == "dsr" ? "dsx"
                                           : nullptr;
    if (companion == nullptr)
        return "";
    // Keep the letter case of the original extension.
    std::string out = fileName.substr(0, dot + 1);
    const bool upper = fileName[dot + 1] >= 'A' && fileName[dot + 1] <= 'Z';
    for (const char* c = companion; *c; ++c) {
        out.push_back(upper ? static_cast<char>(*c - 'a' + 'A') : *c);
    }
    return out;
}

}  // namespace

VBComponent::VBComponent(int32_t type, std::string name, std::string fileName)
    : Type_(type), Name_(std::move(name)), FileName_(std::move(fileName)) {}

VBComponent::~VBComponent() = default;

std::string VBComponent::FileNames(int16_t index) const {
    if (index == 1)
        return FileName_;
    if (index == 2 && FileCount() == 2)
        return CompanionOf(FileName_);
    throw VbError(kErrSubscriptOutOfRange);
}

int16_t VBComponent::FileCount() const {
    if (FileName_.empty())
        return 1;
    const std::string companion = CompanionOf(FileName_);
    return (!companion.empty() && FileExists(companion)) ? 2 : 1;
}

std::shared_ptr<ide::VBE> VBComponent::VBE() const {
    const auto collection = collection_.lock();
    return collection ? collection->VBE() : nullptr;
}

// A header whose last line has no line break (a file ending in its Attribute
// lines) gets one before code added after it.
bool VBComponent::HeaderNeedsLineEnd(size_t codeSize) const {
    return codeSize > 0 && !header_.empty() && header_.back() != '\n' && header_.back() != '\r';
}

std::string VBComponent::Text() const {
    const size_t codeSize = code_ ? code_->ByteCount() : 0;
    // Built in place: the code of a large module is copied once.
    std::string text;
    text.reserve(header_.size() + lineEnd_.size() + codeSize);
    text += header_;
    if (HeaderNeedsLineEnd(codeSize))
        text += lineEnd_;
    if (code_)
        code_->AppendBytes(text);
    return text;
}

size_t VBComponent::TextSize() const {
    const size_t codeSize = code_ ? code_->ByteCount() : 0;
    return header_.size() + (HeaderNeedsLineEnd(codeSize) ? lineEnd_.size() : 0) + codeSize;
}

bool VBComponent::IsDirty() const {
    return code_ && code_->IsDirty();
}

void VBComponent::RememberDisk(const std::string& bytes) {
    diskSize_ = bytes.size();
    diskHash_ = HashBytes(bytes);
    onDisk_ = true;
}

void VBComponent::Save() {
    if (!IsDirty())
        return;
    if (FileName_.empty()) {
        throw VbError(kErrPathFileAccess, Name_ + " has never been saved; it has no file name");
    }
    // The file as it is now, only as long as it takes to compare it.
    bool changedOnDisk = false;
    try {
        const std::string current = ReadFileBytes(FileName_);
        changedOnDisk = current.size() != diskSize_ || HashBytes(current) != diskHash_;
    } catch (const VbError& e) {
        if (e.Number() != kErrFileNotFound)
            throw;
        changedOnDisk = true;
    }
    if (onDisk_ && changedOnDisk) {
        throw VbError(kErrPathFileAccess,
                      FileName_ + " was changed on disk since it was loaded; not overwritten");
    }
    const std::string text = Text();
    WriteFileAtomically(FileName_, text);
    RememberDisk(text);
    code_->MarkSaved();
}

void VBComponent::SaveAs(const std::string& winPath) {
    const std::string path = NormalizeWindowsPath(winPath);
    const std::string text = Text();
    WriteFileAtomically(path, text);
    FileName_ = path;
    RememberDisk(text);
    if (code_)
        code_->MarkSaved();
}

}  // namespace qfw::ide
