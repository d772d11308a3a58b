#include "host/environment_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "host/frm4_icon.h"
#include "host/registration.h"
#include "host/start_up.h"
#include "host/vb_highlighter.h"
#include "platform/classes_root.h"
#include "platform/file_ops.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::host {
namespace {

constexpr int kProjectRole = Qt::UserRole;
constexpr int kComponentRole = Qt::UserRole + 1;

// The folder the environment shows a component kind under.
QString KindFolder(int32_t type) {
    switch (type) {
        case ide::vbext_ct_StdModule:
            return "Modules";
        case ide::vbext_ct_ClassModule:
            return "Class Modules";
        case ide::vbext_ct_VBForm:
        case ide::vbext_ct_VBMDIForm:
            return "Forms";
        case ide::vbext_ct_PropPage:
            return "Property Pages";
        case ide::vbext_ct_UserControl:
            return "User Controls";
        case ide::vbext_ct_DocObject:
            return "User Documents";
        default:
            return "Designers";
    }
}

std::vector<std::shared_ptr<ide::VBProject>> Projects(ide::VBE& vbe) {
    std::vector<std::shared_ptr<ide::VBProject>> projects;
    const auto all = vbe.VBProjects();
    for (int32_t i = 1; i <= all->Count(); ++i)
        projects.push_back(all->Item(i));
    return projects;
}

}  // namespace

EnvironmentWindow::EnvironmentWindow(std::shared_ptr<ide::VBE> vbe) {
    setObjectName("EnvironmentWindow");
    application_.VBE = std::move(vbe);
    setWindowIcon(QuillfernIcon());
    tree_ = new QTreeWidget;
    tree_->setObjectName("tvProject");
    tree_->setHeaderHidden(true);
    code_ = new QPlainTextEdit;
    code_->setObjectName("txtCode");
    code_->setReadOnly(true);
    code_->setLineWrapMode(QPlainTextEdit::NoWrap);
    code_->setFont(QFont("Monospace"));
    new VbHighlighter(code_->document());
    controls_ = new QListWidget;
    controls_->setObjectName("lstControls");
    auto* splitter = new QSplitter;
    splitter->addWidget(tree_);
    splitter->addWidget(code_);
    splitter->addWidget(controls_);
    splitter->setSizes({220, 560, 180});
    setCentralWidget(splitter);
    resize(1000, 620);
    BuildMenus();
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { ShowSelected(); });
    Refresh();
}

EnvironmentWindow::~EnvironmentWindow() = default;

void EnvironmentWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    open_ = file->addAction("&Open Project...", this, [this] { OpenWithDialog(); });
    save_ = file->addAction("&Save Project", this, [this] { Save(); });
    saveAll_ = file->addAction("Save A&ll", this, [this] { SaveAll(); });
    file->addSeparator();
    exit_ = file->addAction("E&xit", this, [this] { close(); });
    open_->setShortcut(QKeySequence::Open);
    save_->setShortcut(QKeySequence::Save);
    QMenu* view = menuBar()->addMenu("&View");
    addInsMenu_ = menuBar()->addMenu("&Add-Ins");
    addInManager_ =
        addInsMenu_->addAction("&Add-In Manager...", this, [this] { ShowAddInManager(); });
    application_.CommandBars.Append("Menu Bar", menuBar());
    application_.CommandBars.Append("File", file);
    application_.CommandBars.Append("View", view);
    application_.CommandBars.Append("Add-Ins", addInsMenu_);
    changes_ = view->addAction("&Changes", this, [this] { ShowChanges(); });
    view->addAction("&Refresh", this, [this] { Refresh(); });
}

void EnvironmentWindow::OpenFiles(const std::vector<std::string>& winPaths) {
    for (const std::string& path : winPaths) {
        try {
            application_.VBE->VBProjects()->AddFromFile(path);
        } catch (const VbError& e) {
            CurrentShell().MsgBox(e.Description(), vbExclamation, "");
        }
    }
    Refresh();
}

void EnvironmentWindow::OpenWithDialog() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, "Open Project", QString(), "Projects and groups (*.vbp *.vbg);;All files (*)");
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(UnixToWindows(file.toStdString()));
    OpenFiles(paths);
}

void EnvironmentWindow::Refresh() {
    const auto selected = SelectedComponent();
    const QString selectedProject =
        tree_->currentItem() ? tree_->currentItem()->data(0, kProjectRole).toString() : QString();
    tree_->clear();
    for (const auto& project : Projects(*application_.VBE)) {
        auto* projectItem = new QTreeWidgetItem(tree_);
        const QString name = QString::fromStdString(project->Name());
        projectItem->setText(
            0, name + " (" + QString::fromStdString(WindowsFileNameOf(project->FileName())) + ")");
        projectItem->setData(0, kProjectRole, name);
        const auto components = project->VBComponents();
        for (int32_t i = 1; i <= components->Count(); ++i) {
            const auto component = components->Item(i);
            const QString folderName = KindFolder(component->Type());
            QTreeWidgetItem* folder = nullptr;
            for (int k = 0; k < projectItem->childCount() && !folder; ++k) {
                if (projectItem->child(k)->text(0) == folderName)
                    folder = projectItem->child(k);
            }
            if (!folder) {
                folder = new QTreeWidgetItem(projectItem, {folderName});
                folder->setData(0, kProjectRole, name);
            }
            auto* item = new QTreeWidgetItem(folder);
            item->setText(
                0, QString::fromStdString(component->Name()) + (component->IsDirty() ? " *" : ""));
            item->setData(0, kProjectRole, name);
            item->setData(0, kComponentRole, QString::fromStdString(component->Name()));
            if (component == selected)
                tree_->setCurrentItem(item);
        }
        if (!selected && name == selectedProject)
            tree_->setCurrentItem(projectItem);
    }
    tree_->expandAll();
    ShowSelected();
    UpdateTitle();
}

bool EnvironmentWindow::SelectComponent(const std::string& project, const std::string& component) {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        if ((*it)->data(0, kProjectRole).toString().toStdString() == project &&
            (*it)->data(0, kComponentRole).toString().toStdString() == component) {
            tree_->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

std::shared_ptr<ide::VBComponent> EnvironmentWindow::SelectedComponent() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (!item || item->data(0, kComponentRole).isNull())
        return nullptr;
    try {
        const auto project = application_.VBE->VBProjects()->Item(
            item->data(0, kProjectRole).toString().toStdString());
        return project->VBComponents()->Item(
            item->data(0, kComponentRole).toString().toStdString());
    } catch (const VbError&) {
        return nullptr;
    }
}

void EnvironmentWindow::ShowSelected() {
    const auto component = SelectedComponent();
    controls_->clear();
    if (!component) {
        code_->clear();
        return;
    }
    const auto module = component->CodeModule();
    const int32_t lines = module ? module->CountOfLines() : 0;
    const QString text = lines > 0 ? QString::fromStdString(module->Lines(1, lines)) : QString();
    if (code_->toPlainText() != text)
        code_->setPlainText(text);
    if (const auto designer = component->Designer()) {
        const auto controls = designer->VBControls();
        for (int32_t i = 1; i <= controls->Count(); ++i) {
            const auto control = controls->Item(i);
            controls_->addItem(
                QString::fromStdString(control->Name() + " (" + control->ProgId() + ")"));
        }
    }
}

void EnvironmentWindow::UpdateTitle() {
    const auto projects = Projects(*application_.VBE);
    const QString name =
        projects.empty() ? QString() : QString::fromStdString(projects.front()->Name()) + " - ";
    setWindowTitle(name + "qfwizard[*]");
    setWindowModified(HasUnsavedChanges());
}

bool EnvironmentWindow::HasUnsavedChanges() const {
    for (const auto& project : Projects(*application_.VBE)) {
        if (project->IsDirty())
            return true;
    }
    return false;
}

bool EnvironmentWindow::SaveProjects(const std::vector<std::shared_ptr<ide::VBProject>>& projects) {
    bool saved = true;
    for (const auto& project : projects) {
        try {
            project->Save();
        } catch (const VbError& e) {
            CurrentShell().MsgBox(e.Description(), vbExclamation, "");
            saved = false;
        }
    }
    Refresh();
    return saved;
}

bool EnvironmentWindow::Save() {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (!item)
        return SaveAll();
    try {
        return SaveProjects({application_.VBE->VBProjects()->Item(
            item->data(0, kProjectRole).toString().toStdString())});
    } catch (const VbError&) {
        return SaveAll();
    }
}

bool EnvironmentWindow::SaveAll() {
    return SaveProjects(Projects(*application_.VBE));
}

std::string EnvironmentWindow::SelectedChanges() const {
    const auto component = SelectedComponent();
    if (!component || !diff || !component->IsDirty() || component->FileNames(1).empty())
        return {};
    std::string onDisk;
    try {
        onDisk = ReadFileBytes(component->FileNames(1));
    } catch (const VbError&) {
        // A file that is gone shows the whole text as added.
    }
    const std::string name = WindowsFileNameOf(component->FileNames(1));
    return diff(onDisk, component->Text(), name + " (saved)", name + " (unsaved)");
}

void EnvironmentWindow::ShowChanges() {
    const std::string changes = SelectedChanges();
    if (changes.empty()) {
        CurrentShell().MsgBox("The selected component has no unsaved changes.", vbInformation, "");
        return;
    }
    QDialog dialog(this);
    dialog.setObjectName("frmChanges");
    dialog.setWindowTitle("Changes");
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QPlainTextEdit(QString::fromStdString(changes));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFont("Monospace"));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(760, 480);
    dialog.exec();
}

void EnvironmentWindow::closeEvent(QCloseEvent* event) {
    if (HasUnsavedChanges()) {
        std::string files;
        for (const auto& project : Projects(*application_.VBE)) {
            const auto components = project->VBComponents();
            for (int32_t i = 1; i <= components->Count(); ++i) {
                if (components->Item(i)->IsDirty())
                    files += "\r\n" + WindowsFileNameOf(components->Item(i)->FileNames(1));
            }
        }
        const int32_t answer = CurrentShell().MsgBox(
            "Save changes to the following files?\r\n" + files, vbYesNoCancel | vbExclamation, "");
        if (answer == vbCancel || (answer == vbYes && !SaveAll())) {
            event->ignore();
            return;
        }
    }
    DisconnectAddIn();
    event->accept();
}

void EnvironmentWindow::ConnectAddIn() {
    // An add-in that ended itself is gone: it is let go and loaded anew.
    if (addIn_ && addIn_->Ended())
        DisconnectAddIn();
    if (addIn_)
        return;
    auto addIn = std::make_unique<Connector>();
    std::vector<std::string> custom;
    try {
        addIn->IDTExtensibility_OnConnection(application_, 0, custom);
    } catch (const VbError& e) {
        CurrentShell().MsgBox(
            std::string(kConnectorProgId) + " could not be loaded: " + e.Description(),
            vbExclamation, "");
        return;
    }
    addIn_ = std::move(addIn);
}

void EnvironmentWindow::DisconnectAddIn() {
    if (!addIn_)
        return;
    std::vector<std::string> custom;
    addIn_->IDTExtensibility_OnDisconnection(0, custom);
    addIn_.reset();
}

void EnvironmentWindow::ConnectEnteredAddIns(const std::string& addInListFile) {
    const std::string value =
        GetPrivateProfileString(kAddInSection, kConnectorProgId, "0", 11, addInListFile);
    if (Val(value) != 0 && IsProgIdRegistered(ClassesRoot(), kConnectorProgId))
        ConnectAddIn();
}

// The add-ins this environment knows, with a box for their load state.
void EnvironmentWindow::ShowAddInManager() {
    QDialog dialog(this);
    dialog.setObjectName("frmAddInManager");
    dialog.setWindowTitle("Add-In Manager");
    dialog.resize(460, 260);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("Available Add-Ins (checked: loaded):"));
    auto* list = new QListWidget;
    list->setObjectName("lstAddIns");
    auto* item = new QListWidgetItem("Quillfern Constituent Control Wizard (" +
                                     QString(kConnectorProgId) + ")");
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(addIn_ && !addIn_->Ended() ? Qt::Checked : Qt::Unchecked);
    list->addItem(item);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (item->checkState() == Qt::Checked)
        ConnectAddIn();
    else
        DisconnectAddIn();
}

}  // namespace qfw::host
