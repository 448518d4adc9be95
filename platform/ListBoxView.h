#pragma once
#include <QAbstractScrollArea>

class TListBox;

// Draws a TListBox's entries, one row per entry of uniform height, and hands the user's input to it.
// Only the visible rows are painted, so a list of 100,000 names costs no more than one of ten.
class ListBoxView : public QAbstractScrollArea {
public:
    explicit ListBoxView(TListBox& owner);
    void UpdateScrollRange();
    int RowsVisible() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    TListBox& FOwner;
};
