// What the application's key routing does with a key typed into the in-place text editor.
#pragma once

#include "afxwin.h"

// The in-place text editor's control id, a child of the editing view.
#define QVZ_TEXT_EDITOR_ID 115

enum qvzEditorKey {
  qvzEditorKeyStandard,      // on to the accelerators and dialog keys
  qvzEditorKeyConsumed,      // done here
  qvzEditorKeyUntranslated,  // straight to the editor, no accelerator
  qvzEditorKeyEscapeEmpty,   // Esc on an empty text: the focus goes back to the view first
};

// Applies Del, Ctrl+C/V/X/A and Home to the editor.
qvzEditorKey RouteEditorKey(HWND hEditor, UINT nKey, BOOL bCtrl);
