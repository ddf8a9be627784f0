// Undo stack playback of a recorded history: every step undone, redone and undone again, with
// the records naming the chart's components.

#include "fuzzing.h"
#include "undohistory.h"

#include <style/qvgdi.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QvFuzz::TChart Chart;
    // Records may free any component but the stack and its owners.
    const QPointer<TQvGraph2D> Graph = Chart.Graph;
    TQvUndoStack& Stack = *Chart.Stack;
    TQvUndoHistoryAccess::SetHistory(Stack, QvFuzz::Bytes(Data, Size));
    for (int Pass = 0; Pass < 3; ++Pass) {
        try {
            if (Pass == 1)
                Stack.Redo(Stack.RedoCount());
            else
                Stack.Undo(Stack.UndoCount());
        } catch (const Exception&) {
        }
    }
    if (Graph) QvFuzz::Paint(Graph);
    return 0;
}
