#pragma once

#include <QDialog>

class MyVersionInfo;
class QLabel;
class QPushButton;

// About box: names the program and its release and shows the version the
// build stamped into it.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(const MyVersionInfo& versionInfo, QWidget* parent = nullptr);

private:
    QLabel* addLabel(const char* name, const QString& text);
};
