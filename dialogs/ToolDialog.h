#pragma once

#include <QDialog>

// A tool window of the program: a top-level window that stays on top and centres itself on the
// main window each time it is shown. It has no parent, because a child window would be disabled
// along with the main window whenever a message dialog holds it.
class ToolDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ToolDialog(QWidget* anchor, Qt::WindowFlags flags = Qt::Dialog);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centreOverAnchor();

    QWidget* m_anchor = nullptr;
};
