#pragma once

#include <QDialog>

class MyVersionInfo;
class QLabel;
class QPushButton;

// About box: names the program and its release, shows the version the
// build stamped into it and the folder where the data live.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    TForm13(const MyVersionInfo& versionInfo, const QString& dataFolder, QWidget* parent = nullptr);

private:
    QLabel* addLabel(const char* name, const QString& text);
};
