#pragma once
// The on-screen form of one model window. Buttons, text boxes and the list
// box are child widgets stacked in design order; lines, shapes, labels,
// frames and images are painted on the client canvas beneath them. The view
// follows property changes of the model, shows the context menus the window
// asks for, and turns clicks, keys, menu choices, mouse presses and the close
// box into model events. It never calls a handler directly and never reads
// state back from a widget except what the user typed.

#include "model/Window.h"

#include <QKeySequence>
#include <QMainWindow>
#include <memory>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace kav::qt {

class ClientArea;
class FrameWatch;
class LogbookListModel;

class FormView final : public QMainWindow, private WindowObserver {
public:
    explicit FormView(Window& window);
    ~FormView() override;

    ClientArea* clientArea() const { return client_; }
    QWidget* widgetFor(std::string_view control) const;
    QAction* actionFor(std::string_view menuItem) const;
    QMenu* menuFor(std::string_view menuName) const;

protected:
    bool event(QEvent* event) override;

private:
    void controlChanged(Control& control, PropId id) override;
    void windowChanged(Window& window, PropId id) override;
    void menuPoppedUp(Window& window, std::string_view menuName) override;

    void buildWidgets();
    void buildMenus();
    void applyHeight();
    QString spokenName(std::string_view control) const;
    void syncHeightFromWindow();

    Window* window_;
    ClientArea* client_ = nullptr;
    std::unordered_map<std::string_view, QWidget*> widgets_;
    std::unordered_map<std::string_view, QAction*> actions_;
    std::unordered_map<std::string_view, QMenu*> menus_;
    std::vector<QKeySequence> menuKeys_;
    LogbookListModel* listModel_ = nullptr;
    std::unique_ptr<FrameWatch> frameWatch_;
    bool frameKeptOnArea_ = false;
    bool applyingHeight_ = false;
};

} // namespace kav::qt
