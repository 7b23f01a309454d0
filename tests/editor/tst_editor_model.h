#pragma once

#include <QObject>

class TestEditorModel : public QObject
{
    Q_OBJECT

private slots:
    // Text, caret, selection and view (tst_editor_model.cpp)
    void setTextSplitsLines_data();
    void setTextSplitsLines();
    void lineStoreFollowsEdits();
    void setCaretClamps_data();
    void setCaretClamps();
    void selStart_data();
    void selStart();
    void selectionText_data();
    void selectionText();
    void setSelTextIsOneChange();
    void columnPaste();
    void selectionCommands();
    void dropText_data();
    void dropText();
    void setLineText();
    void topAndLeftClamp_data();
    void topAndLeftClamp();
    void caretScrollsIntoView();
    void longLineCaret_data();
    void longLineCaret();
    void longLineEditing();
    void pageAndScrollKeys_data();
    void pageAndScrollKeys();
    void signalsAfterEdits();
    void clipboardCommands();
    void pasteWithoutTextKeepsSelection_data();
    void pasteWithoutTextKeepsSelection();
    void bookmarks();
    void identChars_data();
    void identChars();
    void readOnlyBlocksEditing();

    // Commands (tst_editor_commands.cpp)
    void commands_data();
    void commands();
    void blockIndentKeepsSelection_data();
    void blockIndentKeepsSelection();
    void toggleCaseOfSelection();
    void everyCommandUndoesCleanly_data();
    void everyCommandUndoesCleanly();
    void keyBindings_data();
    void keyBindings();
    void bookmarkKeysOnLayouts_data();
    void bookmarkKeysOnLayouts();
    void nativeKeyOfEvent();

    // Undo and highlighter ranges (tst_editor_undo.cpp)
    void undoGrouping_data();
    void undoGrouping();
    void undoRestoresCaretAndRedoMirrors();
    void undoRedoRoundTrip_data();
    void undoRedoRoundTrip();
    void maxUndoDropsOldest();
    void undoHistorySwap();
    void rangesMatchFullScan_data();
    void rangesMatchFullScan();
    void rescanStopsAtAgreeingLine();
    void insertedLinesReportRepaintToEnd();
    void highlighterAssignment();
    void destroyedHighlighterIsForgotten();
    void hugeTabWidthIsClamped();
    void bracketsInCommentsAndStrings_data();
    void bracketsInCommentsAndStrings();
};
