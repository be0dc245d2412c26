#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "ShellFixture.h"
#include "core/SoundTestSupport.h"
#include "model/ClassSounds.h"
#include "tables/SoundLayout.h"

// The main window on the virtual ZEL-1 with the synth's sounds fetched; editor windows are
// opened on one of them directly and driven through their controls by name.
class EditorFixture : public ShellFixture {
  protected:
    static constexpr int kSlot = 3;

    void SetUp() override {
        SaveSynthPorts();
        Start();
        ASSERT_TRUE(library.Sounds().GetSoundsFromSynth());
        sound = library.Sounds().Sound(kSlot);
        driver.Synth().ClearLog();
    }

    template <class Window>
    std::unique_ptr<Window> Open() {
        auto editor = std::make_unique<Window>(Context());
        editor->SetSound(sound);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        return editor;
    }

    // What the synth received since the last call.
    WireMessages Sent() { return TakeReceived(driver.Synth()); }
    WireMessages Changes(std::initializer_list<std::pair<int, int>> offsetValues) const {
        WireMessages messages;
        for (const auto& [offset, value] : offsetValues)
            messages.push_back(Change(kSlot, offset, value));
        return messages;
    }
    // The sound as the synth holds it now, with `edit` applied, read back into the model.
    void ReloadFromSynth(const std::function<void(RawData&)>& edit) {
        RawData raw = driver.Synth().Sound(kSlot);
        edit(raw);
        driver.Synth().SetSound(kSlot, raw);
        ASSERT_TRUE(sound->RequestSound());
    }

    template <class T>
    static T* Find(const QWidget& window, const QString& name) {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // Types text into a box and presses Enter, as a user does.
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // Picks the next entry of a list with the keyboard, as a user does.
    static void PickNext(QComboBox* list) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    }
    // A thumb dragged to each of the positions, then released.
    static void Drag(QScrollBar* bar, std::initializer_list<int> positions) {
        bar->setSliderDown(true);
        for (int position : positions)
            bar->setSliderPosition(position);
        bar->setSliderDown(false);
    }

    std::shared_ptr<ClassSound> sound;
};
