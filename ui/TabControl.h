#pragma once
#include <string>
#include <vector>

#include <QTabBar>
#include <QWidget>

namespace quor {

// A row of tabs over one pane whose controls serve every tab: the program
// refills them when the tab changes. Children are placed relative to the
// whole control, the tab row included.
class TTabControl : public QWidget {
    Q_OBJECT
public:
    explicit TTabControl(QWidget* parent = nullptr);

    // Replaces the tabs; the first becomes the selected one. The program's
    // own change raises no Change.
    void SetTabs(const std::vector<std::string>& captions);
    int TabIndex() const { return Tabs->currentIndex(); }

    QTabBar* Tabs;

signals:
    void Change();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

}  // namespace quor
