#include "ui/library/FormGroups.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "midi/ModuleMIDI.h"
#include "model/ClassGroups.h"
#include "model/NameRules.h"
#include "platform/MessageSink.h"
#include "ui/common/EditHistory.h"
#include "ui/common/FormStatus.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WindowHost.h"
#include "ui/common/WriteVerification.h"
#include "ui/widgets/KeySplitView.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/NumeralIcons.h"
#include "ui/widgets/RefreshGuard.h"
#include "ui/widgets/RenameDelegate.h"
#include "ui/widgets/ValueRow.h"
#include "ui/widgets/WindowGlue.h"
#include "windowlogic/BankEntries.h"
#include "windowlogic/EditStepName.h"
#include "windowlogic/SynthText.h"

namespace {
struct RowEntry {
    const char* name;
    const char* label;
    ValueRow::Range range;
    int16_t (ClassBank::*get)() const;
    void (ClassBank::*set)(int16_t);
    // The text box shows the key's note name and takes no input.
    bool note;
};

const RowEntry kRows[] = {
    {"Volume", "Volume", {0, 99, 1, 10}, &ClassBank::Volume, &ClassBank::SetVolume, false},
    {"Pan", "Pan", {-7, 7, 1, 1}, &ClassBank::Pan, &ClassBank::SetPan, false},
    {"Transpose",
     "Transpose",
     {-12, 12, 1, 4},
     &ClassBank::Transpose,
     &ClassBank::SetTranspose,
     false},
    {"Detune", "Detune", {-19, 19, 1, 5}, &ClassBank::Detune, &ClassBank::SetDetune, false},
    {"LowSplit",
     "Low Split",
     {24, 102, 1, 12},
     &ClassBank::LowSplit,
     &ClassBank::SetLowSplit,
     true},
    {"HighSplit",
     "High Split",
     {24, 102, 1, 12},
     &ClassBank::HighSplit,
     &ClassBank::SetHighSplit,
     true},
};

struct CheckEntry {
    const char* name;
    const char* caption;
    bool (ClassBank::*get)() const;
    void (ClassBank::*set)(bool);
};

const CheckEntry kChecks[] = {
    {"CheckModVelocity", "Velocity", &ClassBank::ModVelocity, &ClassBank::SetModVelocity},
    {"CheckModController", "Controller", &ClassBank::ModController, &ClassBank::SetModController},
    {"CheckModModWheel", "Mod Wheel", &ClassBank::ModModWheel, &ClassBank::SetModModWheel},
    {"CheckModAftertouch", "Aftertouch", &ClassBank::ModAftertouch, &ClassBank::SetModAftertouch},
    {"CheckModPitchBend", "Pitch Bend", &ClassBank::ModPitchBend, &ClassBank::SetModPitchBend},
    {"CheckModLfo", "LFO", &ClassBank::ModLfo, &ClassBank::SetModLfo},
};

QStringList Texts(const std::vector<std::string>& entries) {
    QStringList texts;
    for (const std::string& entry : entries)
        texts << QString::fromStdString(entry);
    return texts;
}

QLabel* Label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}
}  // namespace

FormGroups::FormGroups(const WindowContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      groups_(context.library.Groups()),
      files_(context, {[this] { return current_; }, [this] { AfterGroupOpened(); },
                       [this] { AfterAllOpened(); }}),
      listView_(new QListWidget(this)),
      tabStrip_(new QTabBar(this)),
      bankFrame_(new QFrame(this)),
      comboSound_(new QComboBox(bankFrame_)),
      comboMidiChannel_(new QComboBox(bankFrame_)),
      splitView_(new KeySplitView(this)),
      commandOk_(new QPushButton(QStringLiteral("OK"), this)),
      commandCancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("FormGroups"));
    setWindowTitle(QString::fromLatin1(kCaption));
    BuildControls();
    // The user sounds' names may have changed in the sound browser meanwhile.
    connect(&context_.shell.Host().Area(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) {
                if (WindowHost::WidgetOf(window) == this)
                    RefreshSoundNames();
            });
    connect(&context_.library.History(), &EditHistory::GroupRestored, this,
            [this](const ClassGroup* group) {
                if (group != current_.get())
                    return;
                if (QListWidgetItem* item = ItemOf(current_->GroupNumber()))
                    item->setText(SynthText::ToShown(current_->Name()));
                ShowBank(currentBank_);
            });
}

FormGroups::~FormGroups() = default;

void FormGroups::BuildControls() {
    listView_->setObjectName(QStringLiteral("ListView"));
    listView_->setIconSize(QSize(16, 16));
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMM")) + 60);
    listView_->viewport()->installEventFilter(this);
    auto* rename = new RenameDelegate(
        [this](const QModelIndex& index, const QString& text) -> std::optional<QString> {
            if (!current_)
                return std::nullopt;
            const QString question = QStringLiteral("Rename group '") +
                                     SynthText::ToShown(current_->Name()) +
                                     QStringLiteral("' to '") + text + QStringLiteral("'?");
            if (context_.messages.Show(question.toStdString(), "Rename",
                                       MessageFlags::OkCancelQuestion) != MessageFlags::ResultOk)
                return std::nullopt;
            RecordEdit([this, &text] { current_->SetName(SynthText::FromTyped(text)); });
            const QString shown = SynthText::ToShown(current_->Name());
            if (index.row() == current_->GroupNumber())
                return shown;
            if (QListWidgetItem* item = ItemOf(current_->GroupNumber()))
                item->setText(shown);
            return std::nullopt;
        },
        kNameLength, listView_);
    connect(rename, &RenameDelegate::Finished, listView_,
            [this] { listView_->setFocus(Qt::OtherFocusReason); });
    listView_->setItemDelegate(rename);

    tabStrip_->setObjectName(QStringLiteral("TabStrip"));
    for (int bank = 1; bank <= ClassBank::kBankCount; ++bank)
        tabStrip_->addTab(QStringLiteral("Bank %1").arg(bank));
    connect(tabStrip_, &QTabBar::currentChanged, this, [this](int index) {
        if (!loading_)
            ShowBank(index);
    });
    connect(splitView_, &KeySplitView::BankClicked, this, [this](int bank) {
        if (current_ && !loading_)
            ShowBank(bank);
    });
    commandOk_->setObjectName(QStringLiteral("CommandOk"));
    commandCancel_->setObjectName(QStringLiteral("CommandCancel"));
    connect(commandOk_, &QPushButton::clicked, this, &FormGroups::CloseWindow);
    connect(commandCancel_, &QPushButton::clicked, this, &FormGroups::CloseWindow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(commandOk_);
    buttons->addWidget(commandCancel_);
    auto* editor = new QVBoxLayout;
    editor->setSpacing(0);
    editor->addWidget(tabStrip_);
    editor->addWidget(BuildBankControls());
    editor->addSpacing(6);
    editor->addWidget(new QLabel(QStringLiteral("Key ranges"), this));
    splitView_->setAccessibleName(QStringLiteral("Key ranges, Group Editor"));
    editor->addWidget(splitView_, 1);
    editor->addSpacing(6);
    editor->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(listView_);
    layout->addLayout(editor, 1);
}

QWidget* FormGroups::BuildBankControls() {
    bankFrame_->setObjectName(QStringLiteral("FrameBank"));
    bankFrame_->setFrameShape(QFrame::StyledPanel);
    comboSound_->setObjectName(QStringLiteral("ComboSound"));
    comboSound_->addItems(Texts(BankEntries::SoundEntries()));
    comboSound_->setMaxVisibleItems(20);
    comboMidiChannel_->setObjectName(QStringLiteral("ComboMidiChannel"));
    comboMidiChannel_->addItems(Texts(BankEntries::ChannelEntries()));
    const auto target = [this](void (ClassBank::*set)(int16_t)) {
        return [this, set]() -> ListBinding::Writer {
            if (loading_ || Bank() == nullptr)
                return {};
            return [group = current_, bank = currentBank_, set, this](int value) {
                RecordEdit([&] { (group->Bank(bank)->*set)(static_cast<int16_t>(value)); });
                RefreshSplitView();
            };
        };
    };
    soundBinding_ = new ListBinding(
        *comboSound_, [this] { return Bank() ? Bank()->SoundNumber() : -1; },
        target(&ClassBank::SetSoundNumber));
    channelBinding_ = new ListBinding(
        *comboMidiChannel_, [this] { return Bank() ? Bank()->Channel() : -1; },
        target(&ClassBank::SetChannel));

    auto* grid = new QGridLayout(bankFrame_);
    grid->setColumnStretch(1, 1);
    comboSound_->setAccessibleName(QStringLiteral("Sound"));
    comboMidiChannel_->setAccessibleName(QStringLiteral("Midi Channel"));
    grid->addWidget(Label("Sound", bankFrame_), 0, 0);
    grid->addWidget(comboSound_, 0, 1, 1, 2);
    grid->addWidget(Label("Midi Channel", bankFrame_), 1, 0);
    grid->addWidget(comboMidiChannel_, 1, 1, 1, 2, Qt::AlignLeft);
    int row = 2;
    BuildRows(*grid, row);
    grid->addWidget(BuildChecks(), row, 0, 1, 3);
    return bankFrame_;
}

void FormGroups::BuildRows(QGridLayout& grid, int& row) {
    for (const RowEntry& entry : kRows) {
        auto* valueRow = new ValueRow(QString::fromLatin1(entry.name), entry.range, bankFrame_);
        valueRow->Bind(
            [this, get = entry.get] { return Bank() ? (Bank()->*get)() : 0; },
            [this, set = entry.set]() -> ValueRow::Writer {
                if (loading_ || Bank() == nullptr)
                    return {};
                return [group = current_, bank = currentBank_, set, this](int value) {
                    RecordEdit([&] { (group->Bank(bank)->*set)(static_cast<int16_t>(value)); });
                    RefreshSplitView();
                };
            });
        if (entry.note) {
            valueRow->ShowAs(
                [](int key) { return QString::fromStdString(BankEntries::SplitText(key)); });
        }
        valueRow->SetLabel(QString::fromLatin1(entry.label));
        grid.addWidget(Label(entry.label, bankFrame_), row, 0);
        grid.addWidget(valueRow->Bar(), row, 1);
        grid.addWidget(valueRow->Text(), row, 2);
        rows_.push_back(valueRow);
        ++row;
    }
}

QWidget* FormGroups::BuildChecks() {
    auto* frame = new QGroupBox(QStringLiteral("Modulation Control"), bankFrame_);
    frame->setObjectName(QStringLiteral("FrameModulation"));
    auto* grid = new QGridLayout(frame);
    int i = 0;
    for (const CheckEntry& entry : kChecks) {
        auto* box = new QCheckBox(QString::fromLatin1(entry.caption), frame);
        box->setObjectName(QString::fromLatin1(entry.name));
        connect(box, &QCheckBox::clicked, this, [this, box, set = entry.set] {
            if (loading_ || Bank() == nullptr)
                return;
            RecordEdit([this, box, set] { (Bank()->*set)(GetCheck(*box)); });
        });
        grid->addWidget(box, i % 2, i / 2);
        checks_.push_back(box);
        ++i;
    }
    return frame;
}

ClassBank* FormGroups::Bank() const {
    return current_ ? current_->Bank(currentBank_) : nullptr;
}

bool FormGroups::IsSyncronised() const {
    return groups_.Syncronised();
}

void FormGroups::Load() {
    RefreshGuard guard(loading_);
    auto progress = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), QString::fromLatin1(kCaption),
        QStringLiteral("Aquiring groups from ZEL-1..."),
        TransferProgress::ReadSeconds(ClassGroups::kAllGroupsBytes));
    listView_->clear();
    if (!groups_.GetGroupsFromSynth()) {
        for (QWidget* control : findChildren<QWidget*>())
            control->setEnabled(false);
        commandCancel_->setEnabled(true);
    } else {
        FillList();
        listView_->setCurrentRow(0);
        // Until a group was read, no edit can reach a bank that is not shown.
        SetBankControlsEnabled(MakeCurrent(0));
    }
    progress.reset();
    context_.shell.SetMenus();
}

void FormGroups::FillList() {
    listView_->clear();
    for (int n = 0; n < ClassGroups::kGroupCount; ++n) {
        const std::shared_ptr<ClassGroup> group = groups_.Group(n);
        auto* item = new QListWidgetItem(NumeralIcons::For(n),
                                         SynthText::ToShown(group ? group->Name() : ""));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        listView_->addItem(item);
    }
}

QListWidgetItem* FormGroups::ItemOf(int n) const {
    return listView_->item(n);
}

bool FormGroups::MakeCurrent(int n) {
    const std::shared_ptr<ClassGroup> group = groups_.Group(n);
    if (!group || !group->RequestGroup())
        return false;
    current_ = group;
    // What the synth holds now replaces what the steps would put back.
    context_.library.History().ClearGroup(*group);
    context_.midi.SendParameter50(n);
    context_.library.History().NotifyShownChanged();
    SelectCurrentItem();
    ShowBank(0);
    return true;
}

void FormGroups::SelectGroup(int n) {
    if (current_ && current_->GroupNumber() == n)
        return;
    for (ValueRow* row : rows_)
        row->ApplyPendingText();
    if (current_ && current_->HasChanged())
        AskCommit();
    if (MakeCurrent(n))
        SetBankControlsEnabled(true);
    else
        SelectCurrentItem();
}

void FormGroups::AskCommit() {
    const QString question = QStringLiteral("'") + SynthText::ToShown(current_->Name()) +
                             QStringLiteral("' has been changed. Commit to synth?");
    if (context_.messages.Show(question.toStdString(), kCaption, MessageFlags::OkCancelQuestion) ==
            MessageFlags::ResultOk &&
        current_->RefreshSynth())
        VerifyCurrent();
}

void FormGroups::VerifyCurrent() {
    RawData sent;
    current_->EncodeRawGroup(sent);
    WriteVerification::After(context_, ReadBackCheck::Records::Groups, current_->GroupNumber(),
                             sent, kCaption);
}

void FormGroups::SelectCurrentItem() {
    if (current_)
        listView_->setCurrentItem(ItemOf(current_->GroupNumber()));
    else
        listView_->clearSelection();
}

void FormGroups::SetBankControlsEnabled(bool enabled) {
    tabStrip_->setEnabled(enabled);
    bankFrame_->setEnabled(enabled);
    splitView_->setEnabled(enabled);
}

void FormGroups::ShowBank(int bank) {
    if (bank < 0 || bank >= ClassBank::kBankCount)
        return;
    RefreshGuard guard(loading_);
    // Typed text belongs to the bank it was typed for; the rows apply it before showing another.
    currentBank_ = bank;
    tabStrip_->setCurrentIndex(bank);
    RefreshSoundNames();
    soundBinding_->Refresh();
    channelBinding_->Refresh();
    for (ValueRow* row : rows_)
        row->Refresh();
    for (size_t i = 0; i < checks_.size(); ++i) {
        const ClassBank* shown = Bank();
        SetCheck(*checks_[i], shown != nullptr && (shown->*kChecks[i].get)());
    }
    RefreshSplitView();
}

void FormGroups::RefreshSoundNames() {
    ClassSounds& sounds = context_.library.Sounds();
    for (int number = 0; number < BankEntries::kUserSounds; ++number) {
        std::string name;
        if (sounds.Syncronised()) {
            if (const std::shared_ptr<ClassSound> sound = sounds.Sound(number))
                name = sound->Name();
        }
        comboSound_->setItemText(number,
                                 SynthText::ToShown(BankEntries::UserSoundEntry(number, name)));
    }
}

void FormGroups::RefreshSplitView() {
    std::array<KeySplitLayout::Range, KeySplitLayout::kBanks> ranges{};
    for (int bank = 0; bank < KeySplitLayout::kBanks; ++bank) {
        const ClassBank* shown = current_ ? current_->Bank(bank) : nullptr;
        ranges[bank] = shown ? KeySplitLayout::Range{shown->LowSplit(), shown->HighSplit()}
                             : KeySplitLayout::Range{1, 0};
    }
    splitView_->SetRanges(ranges);
    splitView_->SetCurrentBank(currentBank_);
}

void FormGroups::GroupNew() {
    if (!current_)
        return;
    if (context_.messages.Show("This will reset all group parameters to default. Are you sure?",
                               "New Group", MessageFlags::OkCancel | MessageFlags::Exclamation) !=
        MessageFlags::ResultOk)
        return;
    // The defaults belong to no file yet: Save must not write over the one last used (and undo
    // gives the file back with the group).
    RecordEdit([this] {
        current_->DefaultValues();
        context_.library.SetGroupFileName(current_->GroupNumber(), QString());
    });
    ShowBank(0);
    if (QListWidgetItem* item = ItemOf(current_->GroupNumber()))
        item->setText(SynthText::ToShown(current_->Name()));
    VerifyCurrent();
}

void FormGroups::DocumentOpen() {
    RecordEdit([this] {
        files_.GroupOpen();
        const QString path = context_.library.GroupFileName(current_->GroupNumber());
        if (!path.isEmpty())
            context_.library.History().NameStep(
                current_.get(), QString::fromStdString(EditStepName::ForOpen(
                                    path.toStdString(), "Group", current_->GroupNumber())));
    });
}

void FormGroups::RecordEdit(const std::function<void()>& edit) {
    if (current_)
        context_.library.History().RecordGroup(*current_, edit);
    else
        edit();
}

QUndoStack* FormGroups::ShownHistory() {
    return current_ ? context_.library.History().GroupStack(*current_) : nullptr;
}

void FormGroups::GroupRename() {
    if (!current_)
        return;
    if (QListWidgetItem* item = ItemOf(current_->GroupNumber()))
        listView_->editItem(item);
}

void FormGroups::AfterGroupOpened() {
    if (QListWidgetItem* item = ItemOf(current_->GroupNumber()))
        item->setText(SynthText::ToShown(current_->Name()));
    ShowBank(0);
}

void FormGroups::AfterAllOpened() {
    FillList();
    listView_->setCurrentRow(0);
    if (MakeCurrent(0)) {
        SetBankControlsEnabled(true);
        return;
    }
    // The previous group stays current; its object now holds what the synth took.
    SelectCurrentItem();
    if (current_)
        ShowBank(currentBank_);
}

bool FormGroups::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listView_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // After the view has handled the release (the selection is then final).
        const Qt::MouseButton button = mouse->button();
        const QPoint global = mouse->globalPosition().toPoint();
        QMetaObject::invokeMethod(
            this, [this, button, global] { ListReleased(button, global); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void FormGroups::ListReleased(Qt::MouseButton button, QPoint globalPosition) {
    QListWidgetItem* selected = listView_->currentItem();
    if (selected == nullptr || !selected->isSelected() || loading_)
        return;
    SelectGroup(listView_->row(selected));
    if (button == Qt::RightButton && selected->isSelected() && context_.shell.GroupMenu())
        context_.shell.GroupMenu()->popup(globalPosition);
}

void FormGroups::CloseWindow() {
    if (QMdiSubWindow* window = context_.shell.Host().SubWindowOf(this))
        window->close();
    else
        close();
}

void FormGroups::closeEvent(QCloseEvent* event) {
    for (ValueRow* row : rows_)
        row->ApplyPendingText();
    if (groups_.Syncronised() && current_ && current_->HasChanged())
        AskCommit();
    context_.shell.ClearMenus();
    event->accept();
}
