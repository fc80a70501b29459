// The stand-in editor's own test hooks: its command line and the messages that tests send
// to its main window. TeraPad's protocol itself (window classes, 0x8190..0x8194, 0x465,
// the edit messages) is answered as TeraPad answers it and is not repeated here.
#pragma once

// Command line:  hostpad.exe [switches] [file]
//   /ini=<path>    settings file (default: hostpad.ini beside hostpad.exe; created when missing)
//   /mode=<n>      answer to 0x8194, the edit mode (default 0)
//   /cap=<n>       at most n bytes per transfer, like a 95-family TeraPad: EM_REPLACESEL takes at
//                  most n bytes (cut at a character boundary), WM_GETTEXT copies at most n bytes
//                  unless its capacity holds the whole text (Wine counts an ANSI caller's
//                  WM_GETTEXTLENGTH that way; the length must stay true) (0 = no cap, the default)
//   /undo=<n>      undo depth: EM_UNDO can take back at most the n latest changes (default: all)
//   /readonly      the editor refuses every change (deletions included)
//   /backsel       EM_GETSEL answers a selection made backwards (from its end to its start, or
//                  EM_SETSEL with start > end) as (anchor, caret), so that its start is the larger
//                  number, as custom edit controls may; without it, as EDIT: (smaller, larger)
//   /tool=<cmd>    command line of the tool menu's first entry (default: [Tools] Tool1 of the
//                  settings file; tolvane.exe beside hostpad.exe when that is empty)
//   /notoolbar     start without a "TToolbar" child
//   /strip         "TToolbar" is a plain strip holding a toolbar window (which Tolvane measures)
//                  instead of one toolbar control whose buttons are no windows, as TeraPad's is
//                  (which shows a wider set of buttons in edit mode 1 or with [Browser] Menu set)
//   /noini         start without a "TTeraPadIniFilePath" child
//   /appwindow     built as older Delphi programs are: a hidden application window (class
//                  "TApplication") owns the main window; minimising minimises the application
//                  window and hides the main window, which then is neither iconic nor visible
//                  (WM_SYSCOMMAND SC_RESTORE to the application window, as its taskbar button
//                  sends, brings it back)
//   /ansi          (reserved)
// The main window's class is "TTeraPadMainForm"; its title is "<file> - hostpad".

#define HOSTPAD_MAINCLASS "TTeraPadMainForm"
#define HOSTPAD_EDITORCLASS "THostPadEditor"

// hostpad.exe's version resource. All numbers differ, so a reader that takes the wrong field
// is caught: major = HIWORD(dwProductVersionMS), minor = LOWORD(dwProductVersionMS),
// beta = LOWORD(dwFileVersionLS).
#define HOSTPAD_PRODUCTVERSION 1,2,5,6
#define HOSTPAD_FILEVERSION 7,8,9,4
#define HOSTPAD_PRODUCTVERSION_STR "1.2.5.6"
#define HOSTPAD_FILEVERSION_STR "7.8.9.4"
#define HOSTPAD_VERSION_MAJOR 1
#define HOSTPAD_VERSION_MINOR 2
#define HOSTPAD_VERSION_BETA 4

#ifndef RC_INVOKED

// Test hooks: messages to the main window (SendMessage from another process).
enum HostPadMessage : unsigned {
  HPM_FIRST = 0x8000 + 0x200,     // WM_APP + 0x200, clear of TeraPad's own numbers
  HPM_SHOWTOOLBAR = HPM_FIRST,    // wParam 0 hides, 1 shows the toolbar
  HPM_RECREATETOOLBAR,            // a new "TToolbar" is made and the old one destroyed
  HPM_DESTROYTOOLBAR,             // the toolbar is destroyed, no new one
  HPM_SETMODE,                    // wParam: the edit mode that 0x8194 answers from now on
  HPM_SETCAP,                     // wParam: bytes per transfer (0 = no cap)
  HPM_SETUNDODEPTH,               // wParam: undo depth (0 = unlimited)
  HPM_SETREADONLY,                // wParam: 1 refuses every change, 0 accepts again
  HPM_RUNTOOL,                    // runs the tool menu's first entry, as a click on it does;
                                  // result: the started process's id, 0 when it did not start
  HPM_UNDOCOUNT,                  // result: number of changes that EM_UNDO can still take back
  HPM_SAVECOUNT,                  // result: how many times 0x8190 came (each writes the open
                                  // file, when there is one, and clears the modified flag)
  HPM_RELOADCOUNT,                // result: how many times 0x465 re-read the settings file
  HPM_SETMODIFY,                  // wParam: the modified flag (EM_GETMODIFY answers it)
  HPM_FOREGROUND,                 // the editor makes its main window the foreground window
  HPM_REPAINTTOOLBAR,             // the toolbar strip repaints itself at once (not its children)
  HPM_DESTROYTOOLBARONMODE,       // the next 0x8194 destroys the toolbar before it is answered
};

// Raw bytes, past the UTF-16 conversion that Windows applies to string messages between
// processes: WM_COPYDATA to the main window with one of these dwData codes.
enum HostPadCopyData : unsigned {
  HPCD_DUMPTEXT = 1,   // lpData: a file path (ANSI); the editor's bytes are written to it as they are
  HPCD_SETTEXT = 2,    // lpData: bytes that replace the whole text (one undoable change, caret
                       // at 0; read-only and the cap do not apply to this test door)
};
#endif
