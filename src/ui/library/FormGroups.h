#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "ui/common/DocumentWindow.h"
#include "ui/common/HistoryOwner.h"
#include "ui/common/WindowContext.h"
#include "ui/library/GroupFileCommands.h"

class ClassBank;
class ClassGroup;
class ClassGroups;
class KeySplitView;
class ListBinding;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabBar;
class ValueRow;

// The group editor: the synth's 20 groups in a list and the eight banks of the group being
// edited behind a tab strip. Every bank edit goes to the synth at once; leaving a changed group
// offers to commit the whole group. The collection and the file names belong to the library
// documents, so they outlive the window.
// Every edit of the current group is one step of its undo history.
class FormGroups : public QWidget, public DocumentWindow, public HistoryOwner {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = GroupFileCommands::kCaption;

    explicit FormGroups(const WindowContext& context, QWidget* parent = nullptr);
    ~FormGroups() override;

    // Reads the groups (unless the collection holds them already), then group 0 from the synth,
    // behind the progress window.
    void Load();

    Kind DocumentKind() const override { return Kind::Groups; }
    bool IsSyncronised() const override;

    void DocumentNew() override { GroupNew(); }
    void DocumentOpen() override;
    void DocumentSave() override { files_.GroupSave(); }
    void DocumentSaveAs() override { files_.GroupSaveAs(); }
    void OpenAll() override { files_.OpenAll(); }
    void SaveAll() override { files_.SaveAll(); }
    void DocumentRename() override { GroupRename(); }

    void GroupNew();
    // Starts in-place editing of the current group's name in the list.
    void GroupRename();
    // What happens when a mouse button is released over the list with group n selected.
    void SelectGroup(int n);
    // Shows bank b of the current group in the bank controls and selects its tab.
    void ShowBank(int bank);

    // The group being edited, or null (before a group could be read).
    std::shared_ptr<ClassGroup> CurrentGroup() const { return current_; }
    int CurrentBank() const { return currentBank_; }

    void RecordEdit(const std::function<void()>& edit);
    QUndoStack* ShownHistory() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    QWidget* BuildBankControls();
    void BuildRows(QGridLayout& grid, int& row);
    QWidget* BuildChecks();
    // The bank shown now, or null.
    ClassBank* Bank() const;
    // Makes group n current once the synth's copy of it was read (nothing changes otherwise).
    bool MakeCurrent(int n);
    void AskCommit();
    // Reads the current group back after it was written and says whether the synth holds it.
    void VerifyCurrent();
    void FillList();
    QListWidgetItem* ItemOf(int n) const;
    // Selects the current group's item again (after a failed read of another group).
    void SelectCurrentItem();
    void SetBankControlsEnabled(bool enabled);
    void RefreshSoundNames();
    void RefreshSplitView();
    void AfterGroupOpened();
    void AfterAllOpened();
    void ListReleased(Qt::MouseButton button, QPoint globalPosition);
    void CloseWindow();

    WindowContext context_;
    ClassGroups& groups_;
    GroupFileCommands files_;
    std::shared_ptr<ClassGroup> current_;
    int currentBank_ = 0;
    bool loading_ = false;

    QListWidget* listView_;
    QTabBar* tabStrip_;
    QFrame* bankFrame_;
    QComboBox* comboSound_;
    QComboBox* comboMidiChannel_;
    ListBinding* soundBinding_ = nullptr;
    ListBinding* channelBinding_ = nullptr;
    std::vector<ValueRow*> rows_;
    std::vector<QCheckBox*> checks_;
    KeySplitView* splitView_;
    QPushButton* commandOk_;
    QPushButton* commandCancel_;
};
