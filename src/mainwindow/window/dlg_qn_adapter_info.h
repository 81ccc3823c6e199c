// Tdlg_qn_AdapterInfo: a read-only dialog with the details of one network interface.
#pragma once

#include "netdata/network_configuration.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace qn {

class TSvgImageList;

class Tdlg_qn_AdapterInfo : public QDialog
{
    Q_OBJECT

public:
    // AImages32 are the 32-pixel interface pictures; the dialog keeps a reference while it lives.
    Tdlg_qn_AdapterInfo(QWidget* AOwner, const TSvgImageList& AImages32);

    // Shows AData; the record is read now and not followed afterwards.
    void Fill(const TAdapter& AData);

    // The picture shown, as an index into the interface image lists.
    int ImageIndex() const { return FImageIndex; }

    QPushButton* OkButton = nullptr;
    QTabWidget* pc = nullptr;
    QWidget* TabSheet1 = nullptr;
    QLabel* Image1 = nullptr;
    QLineEdit* eName = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* eAlias = nullptr;
    QLabel* eMS = nullptr;
    QLabel* eMTU = nullptr;
    QLabel* eMAC = nullptr;
    QLabel* eIP = nullptr;
    QLabel* eMask = nullptr;
    QLabel* eType = nullptr;
    QLabel* eStatus = nullptr;

private:
    void FormCreate();
    void SetImage(int AIndex);

    const TSvgImageList& FImages;
    int FImageIndex = -1;
};

// Shows AData modally over AOwner (centred on it) and frees the dialog when it closes. Callers lift
// the top-most state of their windows around the call.
void ShowAdapterInfo(QWidget* AOwner, const TAdapter& AData, const TSvgImageList& AImages32);

} // namespace qn
