#pragma once

class QUndoStack;

// A window whose Edit "Undo" and "Redo" act on one history: the history of the sound or group
// it shows now (none: nullptr).
class HistoryOwner {
  public:
    virtual ~HistoryOwner() = default;
    virtual QUndoStack* ShownHistory() = 0;
};
