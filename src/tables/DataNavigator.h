#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class QToolButton;
class TableCursor;

// The navigator bar beside a grid: buttons that move the grid's cursor and
// start, post or cancel its edits.
class DataNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Delete, Insert, Edit, Post, Cancel };

    DataNavigator(TableCursor& cursor, const QList<Button>& buttons, QWidget* parent = nullptr);

    QToolButton* button(Button which) const;
    // Delete asks the window, which knows what to ask the user first.
    void setDeleteHandler(std::function<void()> handler) { deleteRow_ = std::move(handler); }

private:
    void press(Button which);
    void updateButtons();

    TableCursor& cursor_;
    QList<std::pair<Button, QToolButton*>> buttons_;
    std::function<void()> deleteRow_;
};
