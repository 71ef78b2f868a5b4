// The system's Save As dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "component.h"

class TSaveDialog : public TComponent {
  public:
    explicit TSaveDialog(TComponent* owner);

    // Added to a name typed without an extension, without the dot ("bmp").
    const std::wstring& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::wstring& ext) { FDefaultExt = ext; }
    // Pairs of description and pattern, all separated by bars: "Bitmaps (*.bmp)|*.bmp".
    const std::wstring& Filter() const { return FFilter; }
    void SetFilter(const std::wstring& filter) { FFilter = filter; }
    // The name the dialog starts with, and the one chosen.
    const std::wstring& FileName() const { return FFileName; }
    void SetFileName(const std::wstring& name) { FFileName = name; }
    // OFN_* flags; OFN_EXPLORER is always added.
    DWORD Options() const { return FOptions; }
    void SetOptions(DWORD options) { FOptions = options; }

    // Runs the dialog over the active form; false when the user cancels.
    bool Execute();

  private:
    std::wstring FDefaultExt;
    std::wstring FFilter;
    std::wstring FFileName;
    DWORD FOptions = OFN_HIDEREADONLY | OFN_ENABLESIZING;
};

class TSavePictureDialog : public TSaveDialog {
  public:
    using TSaveDialog::TSaveDialog;
};
