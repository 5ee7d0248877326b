#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

// The program's help: German HTML pages, one per help topic, and a contents page.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The folder that holds index.html and one page per topic number.
    void setHelpFile(const QString& folder);

    void showContents();
    // Opens the page of a topic; a topic without a page opens the contents.
    void showContext(int context);
    QUrl currentPage() const;

    // The page of a topic in the help folder.
    static QString pageName(int context);

private:
    QUrl pageUrl(const QString& page) const;
    void present(const QUrl& page);

    QString folder_;
    QTextBrowser* browser_;
};

// F1 anywhere opens the help page of the menu item under the cursor or of the
// focused window, as its help topic says.
class HelpKey : public QObject {
    Q_OBJECT
public:
    explicit HelpKey(HelpViewer& viewer, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The topic F1 opens right now.
    static int currentContext();

private:
    HelpViewer& viewer_;
};
