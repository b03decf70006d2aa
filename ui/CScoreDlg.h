// The score dialog: hs.dat as it stands on disk, one line per row, in a
// fixed-pitch font so that the columns line up.
#pragma once

#include "framework/CDialog.h"

class CScoreDlg : public CDialog {
public:
    explicit CScoreDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};
