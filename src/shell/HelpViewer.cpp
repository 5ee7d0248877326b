#include "HelpViewer.h"

#include "common/HelpContext.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
const QString kContents = QStringLiteral("index.html");
} // namespace

HelpViewer::HelpViewer(QWidget* parent)
    : QDialog(parent, Qt::Window)
    , browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Hilfe"));
    resize(720, 600);

    auto* contents = new QPushButton(QStringLiteral("&Inhalt"), this);
    auto* back = new QPushButton(QStringLiteral("&Zurück"), this);
    auto* forward = new QPushButton(QStringLiteral("&Vor"), this);
    auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    browser_->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
}

void HelpViewer::setHelpFile(const QString& folder) {
    folder_ = folder;
}

QString HelpViewer::pageName(int context) {
    return QStringLiteral("%1.html").arg(context);
}

QUrl HelpViewer::currentPage() const {
    return browser_->source();
}

QUrl HelpViewer::pageUrl(const QString& page) const {
    const QString path = folder_ + QLatin1Char('/') + page;
    // Pages built into the program live under ":/", which a URL spells "qrc:/".
    return path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                             : QUrl::fromLocalFile(path);
}

void HelpViewer::showContents() {
    present(pageUrl(kContents));
}

void HelpViewer::showContext(int context) {
    const QString page = pageName(context);
    present(pageUrl(QFile::exists(folder_ + QLatin1Char('/') + page) ? page : kContents));
}

void HelpViewer::present(const QUrl& page) {
    browser_->setSource(page);
    // A modal window blocks every other one; help opened from it must be modal
    // too, or it could not be scrolled or closed.
    if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != this) {
        setWindowModality(Qt::ApplicationModal);
        exec();
        setWindowModality(Qt::NonModal);
        return;
    }
    show();
    raise();
    activateWindow();
}

HelpKey::HelpKey(HelpViewer& viewer, QObject* parent)
    : QObject(parent)
    , viewer_(viewer) {}

int HelpKey::currentContext() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        if (const QAction* item = menu->activeAction(); item && help::contextOf(*item))
            return help::contextOf(*item);
        if (const int context = help::contextOf(*menu))
            return context;
        return help::contextOf(*menu->menuAction());
    }
    if (const int context = help::contextAround(QApplication::focusWidget()))
        return context;
    return help::contextAround(QApplication::activeWindow());
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat()) {
                const int context = currentContext();
                while (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
                if (context)
                    viewer_.showContext(context);
                else
                    viewer_.showContents();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
