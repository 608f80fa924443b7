#pragma once

#include <QDialog>

// The program's title, version and the shop's name; also the splash while the program starts.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(const QString& shopName, QWidget* parent = nullptr);
};
