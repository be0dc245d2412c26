#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "model/GlobalParameters.h"
#include "ui/common/WindowContext.h"

class ListBinding;
class QCheckBox;
class QComboBox;
class QPushButton;
class ValueRow;

// The utility window: the ZEL-1's global parameters, read from the synth when the window opens
// and sent back as one dump by OK. When the read fails, or the reply is no global-parameter
// dump, only Cancel stays usable, so values the synth never sent cannot reach it.
class FormUtility : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Utility";
    static constexpr const char* kChannelWarning =
        "ZEL System channel and editor system channel do not match.";

    explicit FormUtility(const WindowContext& context, QWidget* parent = nullptr);
    ~FormUtility() override;

    // The load step: reads the global parameters from the synth.
    void Load();
    void OkClicked();
    void CancelClicked();

  private:
    void BuildControls();
    void Refresh();
    void FollowSystemChannel();

    WindowContext context_;
    GlobalParameters globals_;
    std::unique_ptr<ValueRow> controller_;
    std::unique_ptr<ValueRow> tune_;
    std::unique_ptr<ValueRow> pitchBend_;
    QComboBox* comboSystemChannel_ = nullptr;
    QComboBox* comboKeyMode_ = nullptr;
    ListBinding* systemChannel_ = nullptr;
    ListBinding* keyMode_ = nullptr;
    QCheckBox* checkMemoryProtect_ = nullptr;
    std::array<QCheckBox*, 6> checkAccept_{};
    QPushButton* commandOk_ = nullptr;
    QPushButton* commandCancel_ = nullptr;
};
