// VBComponent: one module of a project (UserControl, form, module, class ...)
// with the bytes of its file.
//
// A component keeps its file as three parts: the header (VERSION line,
// Object lines, the designer block or class settings, the module Attribute
// lines) kept byte for byte, the designer parsed from it (form-like
// components only), and the code module. Saving writes the header unchanged
// and the code module's lines; an unchanged component is written back byte
// for byte.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qfw::ide {

class VBE;
class VBComponents;
class VBForm;
class CodeModule;

// vbext_ComponentType: the environment's component type codes.
enum vbext_ComponentType : int32_t {
    vbext_ct_StdModule = 1,
    vbext_ct_ClassModule = 2,
    vbext_ct_MSForm = 3,
    vbext_ct_ResFile = 4,
    vbext_ct_VBForm = 5,
    vbext_ct_VBMDIForm = 6,
    vbext_ct_PropPage = 7,
    vbext_ct_UserControl = 8,
    vbext_ct_DocObject = 9,
    vbext_ct_RelatedDocument = 10,
    vbext_ct_ActiveXDesigner = 11,
};

class VBComponent {
  public:
    VBComponent(int32_t type, std::string name, std::string fileName);
    ~VBComponent();

    const std::string& Name() const { return Name_; }
    int32_t Type() const { return Type_; }

    // FileNames(1): full Windows path of the component's text file, empty
    // when it was never saved. FileNames(2): its binary companion (.ctx, .frx,
    // .pgx, .dox, .dsx) when FileCount is 2. Any other index raises VbError 9.
    std::string FileNames(int16_t index) const;
    int16_t FileCount() const;

    // The form designer of form-like components (forms, MDI forms,
    // UserControls, property pages, user documents); null for the others.
    std::shared_ptr<VBForm> Designer() const { return designer_; }

    // The code module; null only for related documents and resource files.
    std::shared_ptr<ide::CodeModule> CodeModule() const { return code_; }

    std::shared_ptr<VBComponents> Collection() const { return collection_.lock(); }
    std::shared_ptr<ide::VBE> VBE() const;

    // The header's `Object = ...` lines, as written.
    const std::vector<std::string>& ObjectLines() const { return objectLines_; }

    // The whole file as Save would write it now, and its size (without
    // building it).
    std::string Text() const;
    size_t TextSize() const;

    // True when the code module changed since loading or the last save.
    bool IsDirty() const;

    // Writes the file when it has changes (nothing happens otherwise), by
    // temporary file and rename. When the file on disk is no longer the one
    // that was loaded (edited outside the program), nothing is written and
    // VbError 75 is raised: "<file> was changed on disk since it was loaded;
    // not overwritten". A never-saved component raises VbError 75 too (use
    // SaveAs). File errors are raised as they come.
    void Save();

    // Writes the file under a new Windows path, which becomes FileNames(1).
    void SaveAs(const std::string& winPath);

  private:
    bool HeaderNeedsLineEnd(size_t codeSize) const;
    friend class VBComponents;

    // Notes `bytes` as what the file on disk holds now.
    void RememberDisk(const std::string& bytes);

    int32_t Type_;
    std::string Name_;
    std::string FileName_;
    std::weak_ptr<VBComponents> collection_;
    std::string header_;            // bytes before code line 1
    std::string lineEnd_ = "\r\n";  // the file's own line end
    std::vector<std::string> objectLines_;
    std::shared_ptr<VBForm> designer_;
    std::shared_ptr<ide::CodeModule> code_;
    // What the file held when it was loaded or last saved: its size and a
    // hash of its bytes, to notice edits made outside the program.
    uint64_t diskSize_ = 0;
    uint64_t diskHash_ = 0;
    bool onDisk_ = false;
};

}  // namespace qfw::ide
