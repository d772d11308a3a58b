// Wizard: the engine. One object holds everything the wizard knows about the
// user's project and UserControl; discovery, item lists and code generation
// are its operations (the code-generation ones live in src/generation/).
//
// Contract: a fresh engine has empty strings, zero counts and Result 0. Its
// state carries over from one wizard run to the next until a run sets it
// anew. The engine never owns the environment: VBInst is a shared reference
// that SetVBInst replaces.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/custom_item.h"
#include "engine/ide/vbe.h"
#include "model/obj_control.h"

namespace qfw {

class Browser;

// Result after a UserControlName assignment.
inline constexpr int16_t kResultConstituentsFound = 0;
// The UserControl holds no constituent control.
inline constexpr int16_t kResultNoConstituents = 4;
// The UserControl was never saved: the engine told the user and ended the run.
inline constexpr int16_t kResultRunEnded = 99;

// CheckForExistingProc answers.
inline constexpr int16_t kExistingNone = 0;
inline constexpr int16_t kExistingSubOrFunction = 1;
inline constexpr int16_t kExistingPropertyLet = 2;
inline constexpr int16_t kExistingPropertyGet = 4;

namespace generation {
struct ProcedureParts;
}  // namespace generation

namespace ide {
class CodeModule;
class VBComponent;
class VBProject;
}  // namespace ide

class Wizard {
  public:
    // Keeps the environment's root object; later walks start from it.
    void SetVBInst(std::shared_ptr<ide::VBE> VBInst) { this->VBInst = std::move(VBInst); }

    const std::string& ProjectName() const { return ProjectName_; }
    void ProjectName(const std::string& value) { ProjectName_ = value; }
    int16_t ProjectCount() const { return ProjectCount_; }
    void ProjectCount(int16_t value) { ProjectCount_ = value; }
    int16_t ObjectCount() const { return ObjectCount_; }
    void ObjectCount(int16_t value) { ObjectCount_ = value; }
    const std::string& iName() const { return iName_; }
    void iName(const std::string& value) { iName_ = value; }
    const std::string& Documentation() const { return Documentation_; }
    void Documentation(const std::string& value) { Documentation_ = value; }
    int16_t Result() const { return Result_; }
    const std::string& UserControlFileName() const { return UserControlFileName_; }

    // ---- Discovery (src/engine/discovery.cpp) ----

    // Fills sProjList with the loaded projects' names; returns their number.
    // With none loaded the list is left as it was.
    int16_t EnumerateProjects(std::vector<std::string>& sProjList);
    // Fills sObjectList with the UserControls of the project named sProjName
    // (blanks around either name ignored); returns their number, 0 when the
    // project is not loaded (the list is then left as it was).
    int16_t EnumerateObjects(const std::string& sProjName, std::vector<std::string>& sObjectList);
    // Finds the UserControl's saved file and its constituent controls and
    // reads each constituent's members; returns the number of constituents,
    // or kResultRunEnded after telling the user that the UserControl was never saved and
    // ending the run.
    int16_t EnumerateUserControl(const std::string& sProjectName,
                                 const std::string& sUserControlName);
    const std::string& UserControlName() const { return UserControlName_; }
    // Stores the name and runs discovery in the project named ProjectName;
    // Result becomes kResultConstituentsFound, kResultNoConstituents or
    // kResultRunEnded (never saved).
    // A project or UserControl the environment does not know raises its
    // error (9).
    void UserControlName(const std::string& value);

    // ---- Constituents (src/engine/constituents.cpp) ----

    int16_t GetConstituentCount() const;
    // Constituent k (from 0): its control's name and the record of the
    // members read from its library (empty when none was found). For
    // reports of a run; k must be below GetConstituentCount().
    std::string ConstituentControlName(int16_t k) const {
        return ConstituentName(static_cast<size_t>(k));
    }
    const objControl& ConstituentMembers(int16_t k) const { return ConstituentRecord(k); }
    // The constituents' class names, by index; always 0.
    int16_t GetConstituentList(std::vector<std::string>& sConstituentList) const;
    // The library file that describes constituent Index: the environment's
    // own library for intrinsic controls, otherwise the in-process server
    // registered for the control's class. On failure, the description of
    // the error that stopped the lookup.
    std::string GetConstituentFileName(int16_t Index) const;
    // The same lookup, saying whether a library was found; without one,
    // fileName holds the description of the failure.
    bool FindConstituentLibrary(int16_t Index, std::string& fileName) const;
    // Sets the mapping position of the first constituent of that class;
    // always True.
    bool SetConstituentMappingOrder(const std::string& sClassName, int16_t iOrder);

    // ---- Enumeration types (src/engine/wizard.cpp) ----
    //
    // An item text names an enumeration type just as it names an object type
    // ("Shading As ViewLib.Shade"), but code assigns an enumeration's values
    // as numbers, never with Set. Discovery remembers the enumeration types
    // of every constituent it reads, and the reader of the specification
    // library hands over the specification's. The names are those of the
    // item texts, qualified by their library, so the set only grows: a name
    // never changes its meaning from one library read to the next.

    void AddEnumerationTypes(const std::vector<std::string>& sTypes);
    // True when sType (blanks around it ignored, letter case too, as Visual
    // Basic compares names) is a remembered enumeration type.
    bool IsEnumerationType(const std::string& sType) const;

    // ---- Item lists (src/engine/item_lists.cpp) ----

    // The items of kind iType common to every constituent, from the records
    // of the named constituents, split by their selection flag; sorted, each
    // text once. 0, or the number of the error that stopped the listing.
    int32_t GetItemList(int16_t iType, const std::vector<std::string>& sArray,
                        std::vector<std::string>& sSelectedItems,
                        std::vector<std::string>& sNonSelectedItems) const;
    // Marks (or unmarks) the items sArray of kind iType on each named
    // constituent. 0, or the number of the error that stopped it at a class
    // or text that is not there (flags set before it stay).
    int32_t UpdateMultiMap(const std::vector<std::string>& sControlList,
                           const std::vector<std::string>& sArray, int16_t iType, bool bSelected);
    // Gives every selected specification item to the first constituent in
    // mapping order with an identical item, and to every constituent marked
    // for it, and generates each constituent's batches. Every batch runs;
    // the result is 0 or the first non-zero result of BuildProcedures.
    // Custom items (selected, and mapped to no constituent because none has
    // them) are then written as members of the UserControl itself.
    int32_t BuildItemList(objControl& spec);

    // ---- Custom items (src/engine/custom_items.cpp) ----

    // Adds a member the author describes to the specification record, as a
    // selected item with the text the browser would give it, and remembers
    // its default and access for generation. "" when added; otherwise the
    // message that refuses it, and nothing is added.
    std::string AddCustomItem(objControl& spec, const CustomItem& item);
    // Whether the item of that kind and text was added by AddCustomItem.
    bool IsCustomItem(int16_t kind, const std::string& text) const;

    // Whether generation also saves property values with the control: every
    // generated property is read in UserControl_ReadProperties and written in
    // UserControl_WriteProperties. Off on a fresh engine; a wizard run sets
    // it before generating.
    bool PersistPropertyValues() const { return PersistPropertyValues_; }
    void PersistPropertyValues(bool value) { PersistPropertyValues_ = value; }

    // ---- Code generation (src/generation) ----
    //
    // Generation writes into the code module of the UserControl: the component
    // of the active project whose saved file is UserControlFileName. A
    // UserControl that was never saved has no such component.

    // Appends the lines of sItem, each with CR LF, to the work file
    // QFNCODE.DAT in the folder of the project named sProjName (the last
    // project of that name). Raises VbError for a project it cannot find
    // (75, empty path) and for any file error.
    void AddItemsToPendingFile(const std::string& sProjName, const std::vector<std::string>& sItem);

    // Generates one batch of items of one constituent: new procedures into the
    // work file and then into the module, existing procedures and event
    // handlers extended in place. Result: 0 when the call completed (also
    // when nothing was inserted), otherwise the number of the error that
    // stopped it. Subscript errors (9) are remembered in LastError and file
    // errors (50 to 80) are skipped; neither stops the call.
    int32_t BuildProcedures(const std::vector<int16_t>& iType,
                            const std::vector<std::string>& sProcName,
                            const std::string& sControlName);

    // Which procedure named sProcName the UserControl's module holds:
    // kExistingSubOrFunction, kExistingPropertyLet, kExistingPropertyGet
    // (asked in that order) or kExistingNone.
    // Never fails: without the UserControl's component the answer is 0 and
    // LastError says so.
    int16_t CheckForExistingProc(const std::string& sProcName);

    // Copies the UserControl's file to the same name with its last three
    // characters replaced by "QFN", over an earlier backup. 0 on success
    // (and for a never-saved UserControl, which has nothing to copy),
    // otherwise the error number; the UserControl's file is never changed.
    int16_t CreateUserControlBackup();

    // The environment's two type libraries, derived from its FullName:
    // X.OLB and XEXT.OLB beside X.EXE. 0 on success, otherwise the error
    // number and sLibs unchanged.
    int32_t GetVBLibs(std::vector<std::string>& sLibs);

    // The short lower-case prefix of a generated value-parameter name for a
    // property named sProcedure of type sType ("s" for String ...).
    std::string GetTypeToken(const std::string& sProcedure, const std::string& sType) const;

    // Adds property-bag persistence for one property: a member declaration at
    // the end of the declarations section, and a read and a write line after
    // the wizard comment of UserControl_ReadProperties and
    // UserControl_WriteProperties, creating those procedures (and comments)
    // when missing. Only adds lines, and none that is already there. Errors
    // of the object model are raised to the caller.
    void UpdatePropertyBag(const std::string& sProcedure, const std::string& sDataType,
                           const std::string& sControlName, bool bUseSet);

    // The last error generation recorded without failing (0 and "" when none).
    int32_t LastErrorNumber() const { return LastErrorNumber_; }
    const std::string& LastErrorDescription() const { return LastErrorDescription_; }

    // Where NEWPROC.DAT is written: the program's folder, or the per-user
    // data folder when the program's folder is not writable (an installed
    // program). Both are Windows paths; by default they are found from the
    // running executable and XDG_DATA_HOME.
    void SetWorkFolders(std::string programFolder, std::string userDataFolder);

  private:
    friend struct WizardTestPeer;

    bool MergeProcedure(int16_t kind, const std::string& name, const std::string& parameters,
                        const std::string& token, bool useSet, const std::string& control,
                        const std::string& type);

    // Generation helpers (src/generation).
    // Property-bag persistence of the properties a batch generated or merged.
    void PersistProperties(const std::vector<generation::ProcedureParts>& properties,
                           const std::string& control);
    // The font is read with Set, through a Property Set Font, which a font
    // delegated by a Property Let lacks: one is added that passes the font
    // on to `control` (and to each further constituent it is called for).
    void AddFontSetter(const generation::ProcedureParts& font, const std::string& control);
    // The custom items no constituent received, as the UserControl's own
    // members; 0 or the number of the error that stopped it.
    int32_t GenerateCustomItems(objControl& spec);
    // Adds `line` to the end of the declarations section unless it is there.
    static void AddDeclaration(ide::CodeModule& module, const std::string& line);
    // Adds `line` after the wizard comment of the UserControl's event
    // procedure `procedure`(`parameters`), creating the procedure or the
    // comment when missing; a line the procedure holds is not added again.
    void AddToEventProcedure(ide::CodeModule& module, const std::string& procedure,
                             const std::string& parameters, const std::string& line) const;
    // The events the declarations section declares, by lower-case name.
    static std::unordered_set<std::string> DeclaredEvents(const ide::CodeModule* module);
    std::shared_ptr<ide::CodeModule> UserControlModule() const;
    std::string ProjectWorkFile(const ide::VBProject& project) const;
    std::string WizardDate() const;
    // A new handler `handler`(`handlerParameters`) that raises event `name`
    // with the arguments of its `parameters`.
    bool AddNewHandler(const std::string& handler, const std::string& handlerParameters,
                       const std::string& name, const std::string& parameters);
    // Writes `text` as NEWPROC.DAT in the program's folder, else in the
    // user's; the file's Windows path, or "" with `failure` set.
    std::string WriteHandlerFile(const std::string& text, int32_t& failure);
    // Writes the handler a batch left pending; 0 or the file error.
    int32_t FlushHandlerFile();
    // BuildProcedures without the handler file's last write.
    int32_t BuildBatch(const std::vector<int16_t>& iType, const std::vector<std::string>& sProcName,
                       const std::string& sControlName);
    void RecordError(int32_t number, const std::string& description);
    // Remembers the first handler of the current batch that could not be
    // written into the module; BuildProcedures reports it as its result.
    void NoteHandlerFailure(int32_t number);

    // Discovery, constituent and item-list helpers (src/engine).
    ide::VBE& Environment() const;
    void ReadConstituents();
    // False when the library describes no control of the constituent's class.
    bool ReadConstituentMembers(size_t index, const std::string& fileName);
    std::string DescribeConstituent(size_t index) const;
    int16_t ConstituentIndexOf(const std::string& sClassName) const;
    objControl& ConstituentRecord(int16_t k) const;
    std::string ConstituentName(size_t c) const;
    // The name generation delegates to: the control's name, or for a control
    // array its element, "txt(0)".
    std::string ConstituentTarget(size_t c) const;
    std::vector<size_t> MappingSequence() const;
    static void SortItems(std::vector<std::string>& items, int16_t first, int16_t last);
    static int16_t RemoveDuplicateItems(const std::vector<std::string>& source,
                                        std::vector<std::string>& destination);

    std::shared_ptr<ide::VBE> VBInst;
    std::shared_ptr<ide::VBForm> UserControlDesigner;
    std::vector<std::shared_ptr<ide::VBControl>> ConstituentControls;
    std::shared_ptr<Browser> ConstituentBrowser;
    std::vector<std::shared_ptr<objControl>> ConstituentRecords;
    std::string ProjectName_;
    std::string UserControlName_;
    std::string UserControlFileName_;
    int16_t ProjectCount_ = 0;
    int16_t ObjectCount_ = 0;
    std::string iName_;
    std::string Documentation_;
    int16_t Result_ = 0;
    // Lower-cased, blank-trimmed names.
    std::unordered_set<std::string> EnumerationTypes_;

    std::vector<CustomItem> CustomItems_;
    bool PersistPropertyValues_ = false;

    int32_t LastErrorNumber_ = 0;
    int32_t HandlerFailure_ = 0;
    // A batch is running: handlers after its first wait in PendingHandler_.
    bool HandlerBatch_ = false;
    bool HandlerFileWritten_ = false;
    std::string PendingHandler_;
    std::string LastErrorDescription_;
    std::string ProgramFolder_;
    std::string UserDataFolder_;
};

}  // namespace qfw
