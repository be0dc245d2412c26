#pragma once

#include <array>
#include <cstdint>

#include "tables/NodeTable.h"
#include "ui/editors/SoundEditorWindow.h"
#include "ui/widgets/ValueRow.h"

class ClassNode;
class ListBinding;
class QCheckBox;
class QWidget;

// The node editor: the sound's algorithm and transpose, and one frame per node of the algorithm
// in node-position order (the tuned nodes with detune, detone and "Fixed", the wave selectors
// with their wave).
class FormNodes : public SoundEditorWindow {
    Q_OBJECT

  public:
    explicit FormNodes(const WindowContext& context, QWidget* parent = nullptr);
    ~FormNodes() override;

  protected:
    void LoadSound() override;

  private:
    using Setter = void (ClassNode::*)(int16_t);
    using Getter = int16_t (ClassNode::*)() const;

    // One frame per node number; its tag is the node's position in the sound while shown.
    struct NodeFrame {
        QWidget* frame = nullptr;
        ValueRow* detune = nullptr;
        ValueRow* detone = nullptr;
        QCheckBox* fixed = nullptr;
        ListBinding* wave = nullptr;
        int tag = -1;
    };

    void BuildTop();
    void BuildNodeFrame(int number, QWidget* container);
    void BuildTunedControls(int number);
    void BuildWaveControls(int number);
    // Shows the node of frame `number` in its place, or hides the frame.
    void LoadFrame(int number);
    void ChainTabOrder();
    // The node frame `number` shows, looked up now; null when the sound has no such node.
    ClassNode* NodeOfFrame(int number) const;
    // Writes a value to the node frame `number` shows now, looked up again when the value comes.
    Writer NodeWriter(const QObject* control, int number, Setter set);
    // The node at position in sound when it is still node `number`, or null.
    static ClassNode* NodeAt(ClassSound& sound, int position, int number);
    int ReadNode(int number, Getter get) const;
    void OnFixedClicked(int number, bool checked);

    ValueRow* transpose_ = nullptr;
    ListBinding* algorithm_ = nullptr;
    QWidget* container_ = nullptr;
    std::array<NodeFrame, kNodeNumberCount> frames_;
};
