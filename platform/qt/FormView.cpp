#include "platform/qt/FormView.h"

#include "platform/qt/Accessibility.h"
#include "platform/qt/CaptionButton.h"
#include "platform/qt/ClientArea.h"
#include "platform/qt/Convert.h"
#include "platform/qt/LogbookListModel.h"
#include "platform/qt/LogbookListView.h"
#include "platform/qt/X11Hints.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace kav::qt {

namespace {

// Where a window of this place and size lies on the screen's available area:
// moved in when it fits; at the area's top left corner when it is larger
// across or down, so that its title bar and menu bar stay in reach.
QRect onArea(QRect place, const QRect& area) {
    if (place.width() > area.width() || place.height() > area.height()) {
        place.moveTo(area.topLeft());
        return place;
    }
    place.moveTo(std::clamp(place.x(), area.left(), area.right() + 1 - place.width()),
                 std::clamp(place.y(), area.top(), area.bottom() + 1 - place.height()));
    return place;
}

// The height in pixels the top row of buttons needs; the window is never made
// so short that the menu bar and this row leave the screen.
constexpr int kMinClientHeight = 89;

} // namespace

std::optional<QChar> accessKeyOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1].toLower();
        ++i;
    }
    return std::nullopt;
}

namespace {

// Gives every item of a menu and of its submenus an access key of its own
// where it has none: the first letter or digit not yet taken, a word's first
// one before the others. Items that have keys keep them.
void giveAccessKeys(QMenu& menu) {
    std::set<QChar> taken;
    const QList<QAction*> items = menu.actions();
    for (const QAction* a : items)
        if (const std::optional<QChar> key = accessKeyOf(a->text())) taken.insert(*key);
    for (QAction* a : items) {
        if (QMenu* sub = a->menu()) giveAccessKeys(*sub);
        if (a->isSeparator() || accessKeyOf(a->text())) continue;
        QString text = a->text();
        text.replace(u'&', QStringLiteral("&&"));
        const auto free = [&](qsizetype i, bool wordStart) {
            return text[i].isLetterOrNumber() && !taken.count(text[i].toLower()) &&
                   (!wordStart || i == 0 || !text[i - 1].isLetterOrNumber());
        };
        for (bool wordStart : {true, false}) {
            qsizetype i = 0;
            while (i < text.size() && !free(i, wordStart))
                ++i;
            if (i == text.size()) continue;
            taken.insert(text[i].toLower());
            a->setText(text.insert(i, u'&'));
            break;
        }
    }
}

// A text box that lets the window's menu shortcuts through: a line edit would
// otherwise take Ctrl+C, Ctrl+A, Ctrl+E and Ctrl+D for its own editing. The
// copies its control offers (the code box) are its context menu and join its
// tooltip; the model decides what they are and what a choice does.
class TextBox final : public QLineEdit {
public:
    TextBox(Window& window, std::string_view name, QWidget* parent)
        : QLineEdit(parent), window_(&window), name_(name) {}

    // A style that pads its boxes (Adwaita, by text margins of its own)
    // leaves a 19-pixel box less room than a line of text. The line takes the
    // height it lacks from that padding, never from the frame, and the side
    // padding is dropped. Margins other than the ones set here last are the
    // style's; checked as the box is painted, resized or given a font.
    // Returns the room the box then gives its text: its contents less its
    // text margins and the two pixels it keeps free at either side.
    QSize keepLineWhole() {
        if (textMargins() != keptMargins_) styleMargins_ = textMargins();
        QStyleOptionFrame opt;
        initStyleOption(&opt);
        const QRect inner = rect().marginsRemoved(QMargins(1, 1, 1, 1) * opt.lineWidth);
        const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this);
        const QRect padded = contents.marginsRemoved(styleMargins_);
        const int lack = fontMetrics().height() - padded.height();
        const int up = std::clamp(lack / 2, 0, std::max(0, padded.top() - inner.top()));
        const int down = std::clamp(lack - up, 0, std::max(0, inner.bottom() - padded.bottom()));
        keptMargins_ = QMargins(0, styleMargins_.top() - up, 0, styleMargins_.bottom() - down);
        if (textMargins() != keptMargins_) setTextMargins(keptMargins_);
        return contents.marginsRemoved(keptMargins_).size() - QSize(4, 0);
    }

protected:
    void contextMenuEvent(QContextMenuEvent* e) override {
        const std::vector<CopyOffer> offers = window_->copyOffers(name_);
        if (offers.empty()) return QLineEdit::contextMenuEvent(e);
        QMenu menu(this);
        std::map<std::string, QMenu*> submenus;
        bool notes = false;
        for (std::size_t i = 0; i < offers.size(); ++i) {
            QMenu* into = &menu;
            if (!offers[i].submenu.empty()) {
                QMenu*& sub = submenus[offers[i].submenu];
                if (!sub) sub = menu.addMenu(qs(offers[i].submenu));
                into = sub;
            }
            if (offers[i].note && !std::exchange(notes, true)) menu.addSeparator();
            QAction* a = into->addAction(qs(offers[i].caption));
            a->setEnabled(offers[i].enabled);
            // A remark is there to be read: it does nothing when chosen.
            if (!offers[i].note) connect(a, &QAction::triggered, this, [this, i] { window_->takeCopyOffer(name_, i); });
        }
        giveAccessKeys(menu);
        menu.exec(e->globalPos());
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            const std::vector<CopyOffer> offers = window_->copyOffers(name_);
            if (!offers.empty()) {
                // The design's tooltip, if any, with the offered texts below it.
                QStringList lines;
                if (!toolTip().isEmpty()) lines << toolTip();
                for (const CopyOffer& o : offers)
                    if (o.note)
                        lines << qs(o.caption);
                    else if (o.enabled && o.submenu.empty())
                        lines << qs(o.text);
                if (lines.isEmpty())
                    QToolTip::hideText();
                else
                    QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), lines.join(u'\n'), this);
                return true;
            }
        }
        if (e->type() == QEvent::ShortcutOverride) {
            const QKeySequence key(static_cast<QKeyEvent*>(e)->keyCombination());
            for (const QAction* a : window()->actions())
                if (a->shortcut() == key) {
                    e->ignore();
                    return true;
                }
        }
        const bool handled = QLineEdit::event(e);
        if (e->type() == QEvent::Resize || e->type() == QEvent::FontChange) keepLineWhole();
        return handled;
    }

    // Shift+F10 opens the box's menu as the Menu key does, for keyboards
    // without that key.
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() != Qt::Key_F10 || e->modifiers() != Qt::ShiftModifier) return QLineEdit::keyPressEvent(e);
        const QPoint at = cursorRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        QCoreApplication::sendEvent(this, &menu);
    }

    // A lamp has no frame, so its focus is shown by a dotted rectangle,
    // black, which stays visible on every lamp colour.
    void paintEvent(QPaintEvent* e) override {
        keepLineWhole();
        QLineEdit::paintEvent(e);
        if (hasFrame() || !hasFocus()) return;
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QMargins styleMargins_;
    QMargins keptMargins_;
    Window* window_;
    std::string_view name_;
};

bool isLamp(const FormDef& form, std::string_view name) {
    return std::find(form.lamps.begin(), form.lamps.end(), name) != form.lamps.end();
}

// A box whose design fixes its background (white unless given) also fixes
// its text colour, the design's black, so no theme puts light text on it.
// Selection colours stay the theme's.
void setBoxColours(QWidget& w, QColor background) {
    QPalette p = w.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, background);
        p.setColor(group, QPalette::Text, Qt::black);
    }
    w.setPalette(p);
}

// What a screen reader says for a control; a button, with no entry, speaks its
// caption, which the toolkit reads without the access-key mark.
QString spokenName(Window& window, std::string_view control) {
    for (const SpokenName& n : window.def().spokenNames) {
        if (n.control != control) continue;
        if (n.name.empty())
            if (Control* label = window.find(n.label)) return qs(label->Caption.get());
        return qs(n.name);
    }
    return {};
}

// A lamp says its colour as a word: "grön", "gul", "röd", or "släckt" for a
// colour that is none of the three.
QString lampWord(Colour c) {
    if (c == lampGreen) return QStringLiteral("grön");
    if (c == lampYellow) return QStringLiteral("gul");
    if (c == lampRed) return QStringLiteral("röd");
    return QStringLiteral("släckt");
}

template <class T> T* lookup(const std::unordered_map<std::string_view, T*>& byName, std::string_view name) {
    auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

} // namespace

FormView::FormView(Window& window) : window_(&window) {
    const FormDef& def = window.def();
    setObjectName(qs(def.name));
    setWindowTitle(qs(window.Caption.get()));

    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (def.frame == FrameStyle::Sizable) flags |= Qt::WindowMinimizeButtonHint;
    if (def.frame != FrameStyle::Sizable || !def.showInTaskbar) flags |= Qt::Tool;
    setWindowFlags(flags);

    // A screen reader finds the painted labels and the logbook's rows through
    // the interfaces this installs for the client area and the list.
    installAccessibility();
    client_ = new ClientArea(window, this);
    setCentralWidget(client_);
    buildMenus();
    buildWidgets();

    const int menuH = menuBar()->isVisible() || !actions_.empty() ? menuBar()->sizeHint().height() : 0;
    const QSize outer(px(def.clientWidth), px(def.clientHeight) + menuH);
    // A Wayland compositor that tiles floats only windows with an equal
    // minimum and maximum size (or a transient parent); the user's drag of
    // the main window's frame is then the compositor's to refuse.
    fixedSteps_ = def.frame == FrameStyle::Sizable && QGuiApplication::platformName().startsWith(u"wayland");
    if (def.frame == FrameStyle::FixedToolWindow || fixedSteps_)
        setFixedSize(outer);
    else
        resize(outer);
    if (!actions_.empty()) {
        designMinHeight_ = menuH + kMinClientHeight;
        if (!fixedSteps_) setMinimumHeight(designMinHeight_);
    }

    // The place is given without the window manager's frame (setGeometry,
    // not move), so the client area lands where the design puts it whatever
    // frame the desktop draws around it. Scaled up or on a small screen the
    // window keeps to the screen's available area, frame included once the
    // window manager has framed it.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect avail = s->availableGeometry();
        // The design places the client area, which starts below the menu bar.
        const QRect place = def.left >= 0 && def.top >= 0
                                ? QRect(QPoint(px(def.left), px(def.top) - menuH), size())
                                : QRect(avail.center() - QPoint(width() / 2, height() / 2), size());
        setGeometry(onArea(place, avail));
    }
    window.addObserver(this);
}

FormView::~FormView() { window_->removeObserver(this); }

void FormView::buildMenus() {
    const FormDef& def = window_->def();
    auto hasChildren = [&](std::string_view name) {
        return std::any_of(def.controls.begin(), def.controls.end(),
                           [&](const ControlDef& c) { return c.kind == Kind::MenuItem && c.parent == name; });
    };
    for (Control& c : window_->controls()) {
        const ControlDef& d = c.def();
        QMenu* parentMenu = menuFor(d.parent);
        if (d.kind != Kind::MenuItem || (!parentMenu && !d.parent.empty())) continue;
        if (!parentMenu || hasChildren(d.name)) {
            QMenu* menu =
                parentMenu ? parentMenu->addMenu(qs(c.Caption.get())) : menuBar()->addMenu(qs(c.Caption.get()));
            menu->setObjectName(qs(d.name));
            menus_[d.name] = menu;
            continue;
        }
        if (d.caption == "-") {
            parentMenu->addSeparator();
            continue;
        }
        auto* action = new QAction(qs(c.Caption.get()), this);
        action->setObjectName(qs(d.name));
        if (!d.shortcut.empty()) {
            action->setShortcut(QKeySequence(qs(d.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
            // Added to the window as well, so the shortcut works while the menu is closed.
            addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, name = std::string(d.name), index = d.index] {
            window_->raise(name, Event::Click, {.index = index});
        });
        parentMenu->addAction(action);
        actions_[d.name] = action;
    }
    if (menus_.empty()) {
        menuBar()->hide();
        return;
    }
    status_ = new QLabel(menuBar());
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setAccessibleName(QStringLiteral("Statusrad"));
    status_->setContentsMargins(0, 0, 6, 0);
    menuBar()->setCornerWidget(status_, Qt::TopRightCorner);
}

void FormView::showStatus(const QString& text) {
    if (!status_) return;
    status_->setText(text);
    // A remark stays long enough to be read, then goes.
    constexpr int kShownMs = 15000;
    QTimer::singleShot(kShownMs, status_, [label = status_, text] {
        if (label->text() == text) label->clear();
    });
}

void FormView::buildWidgets() {
    const FormDef& def = window_->def();
    // Create bottom first so each later widget lies above the earlier ones.
    for (auto it = def.widgetOrder.rbegin(); it != def.widgetOrder.rend(); ++it) {
        Control* c = window_->find(*it);
        if (!c) continue;
        const ControlDef& d = c->def();
        const QPoint o = client_->originOf(d);
        QWidget* w = nullptr;
        const std::string name(d.name);
        switch (d.kind) {
        case Kind::CommandButton: {
            auto* b = new CaptionButton(qs(c->Caption.get()), client_);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, name] { window_->raise(name, Event::Click); });
            w = b;
            break;
        }
        case Kind::TextBox: {
            auto* t = new TextBox(*window_, d.name, client_);
            t->setText(qs(c->Text.get()));
            // A lamp has no frame. A locked box shows its text centred and
            // takes no typing, so no text cursor blinks in it either.
            t->setFrame(!isLamp(def, d.name));
            if (isLamp(def, d.name)) markLamp(*t);
            t->setReadOnly(!t->hasFrame() || d.locked);
            if (d.locked) t->setAlignment(Qt::AlignCenter);
            connect(t, &QLineEdit::textEdited, this, [c](const QString& s) { c->Text = s.toStdString(); });
            w = t;
            break;
        }
        case Kind::ListBox: {
            auto* v = new LogbookListView(client_);
            v->setEditTriggers(QAbstractItemView::NoEditTriggers);
            listModel_ = new LogbookListModel(*c, v);
            v->setModel(listModel_);
            setBoxColours(*v, Qt::white);
            w = v;
            break;
        }
        default: continue;
        }
        w->setObjectName(qs(d.name));
        w->setGeometry(rectOf(d, o.x(), o.y()));
        w->setFont(toQFont(d.font));
        if (auto* t = dynamic_cast<TextBox*>(w)) t->keepLineWhole();
        if (!d.tooltip.empty()) w->setToolTip(qs(d.tooltip));
        w->setAccessibleName(spokenName(*window_, d.name));
        widgets_[d.name] = w;
        for (PropId id : {PropId::BackColor, PropId::Text, PropId::Enabled, PropId::Visible})
            controlChanged(*c, id);
    }
    for (std::string_view n : def.noFocus)
        if (QWidget* w = widgetFor(n)) w->setFocusPolicy(Qt::NoFocus);
    QWidget* prev = nullptr;
    for (std::string_view n : def.tabOrder) {
        QWidget* w = widgetFor(n);
        if (!w) continue;
        if (prev) QWidget::setTabOrder(prev, w);
        prev = w;
    }
    if (QWidget* f = widgetFor(def.focusAtStart)) f->setFocus(Qt::OtherFocusReason);
}

QWidget* FormView::widgetFor(std::string_view control) const { return lookup(widgets_, control); }

QAction* FormView::actionFor(std::string_view menuItem) const { return lookup(actions_, menuItem); }

QMenu* FormView::menuFor(std::string_view menuName) const { return lookup(menus_, menuName); }

void FormView::menuPoppedUp(Window&, std::string_view menuName) {
    if (QMenu* m = menuFor(menuName)) m->exec(QCursor::pos());
}

void FormView::controlChanged(Control& c, PropId id) {
    if (c.kind() == Kind::MenuItem) {
        if (QAction* a = actionFor(c.name()); a && id == PropId::Caption) a->setText(qs(c.Caption.get()));
        return;
    }
    QWidget* w = widgetFor(c.name());
    if (!w) {
        // A drawn control: repaint the part of the canvas it covers.
        if (c.kind() == Kind::Line || c.kind() == Kind::Shape || c.kind() == Kind::Label || c.kind() == Kind::Image)
            client_->update(client_->areaOf(c));
        if (c.kind() == Kind::Label && id == PropId::Caption) labelChanged(*client_, c);
        return;
    }
    switch (id) {
    case PropId::Caption:
        if (auto* b = dynamic_cast<QPushButton*>(w)) b->setText(qs(c.Caption.get()));
        break;
    case PropId::Text:
        if (auto* t = dynamic_cast<QLineEdit*>(w)) {
            const QString s = qs(c.Text.get());
            if (t->text() != s) {
                const QSignalBlocker block(t);
                t->setText(s);
            }
            // A locked box shows what the program wrote, so its letters
            // narrow rather than let part of the text scroll out of view.
            if (auto* box = dynamic_cast<TextBox*>(t); box && c.def().locked)
                t->setFont(
                    fitText(s, toQFont(c.def().font), box->keepLineWhole(), Qt::AlignCenter, Qt::TextSingleLine).font);
            // The remarks of the box's menu (the code's contrast) are read
            // out with the box; Qt announces a changed description.
            if (const std::vector<CopyOffer> offers = window_->copyOffers(c.name()); !offers.empty()) {
                QStringList notes;
                for (const CopyOffer& o : offers)
                    if (o.note) notes << qs(o.caption);
                t->setAccessibleDescription(notes.join(u'\n'));
            }
        }
        break;
    case PropId::Visible: w->setVisible(c.Visible); break;
    case PropId::Enabled: w->setEnabled(c.Enabled); break;
    case PropId::BackColor:
        if (c.kind() == Kind::TextBox) {
            setBoxColours(*w, toQColor(c.BackColor));
            // Qt announces a changed description to a screen reader.
            if (isLamp(window_->def(), c.name())) w->setAccessibleDescription(lampWord(c.BackColor));
        }
        break;
    case PropId::Lines:
        if (listModel_) listModel_->linesAppended();
        break;
    default: break;
    }
}

void FormView::windowChanged(Window&, PropId id) {
    switch (id) {
    case PropId::Caption: setWindowTitle(qs(window_->Caption.get())); break;
    case PropId::BackColor: client_->update(); break;
    case PropId::Visible:
        if (window_->Visible) {
            show();
            raise();
            activateWindow();
        } else {
            hide();
        }
        break;
    case PropId::WindowState:
        if (window_->WindowState == 1)
            showMinimized();
        else if (window_->WindowState == 0 && (windowState() & Qt::WindowMinimized))
            showNormal();
        break;
    case PropId::Height:
        // The model's height is the outer one, frame included.
        if (const int target = px(window_->Height) - (frameGeometry().height() - height()); target != height()) {
            applyingHeight_ = true;
            if (fixedSteps_)
                setFixedHeight(target);
            else
                resize(width(), target);
            applyingHeight_ = false;
        }
        break;
    default: break;
    }
}

void FormView::syncHeightFromWindow() {
    // The user dragged the frame (or the window system chose a size): the
    // model takes the new height, unless it already rounds to it.
    if (applyingHeight_) return;
    // The limits a height change must stay within follow the frame too.
    if (px(window_->Height) != frameGeometry().height()) window_->Height.setSilently(twips(frameGeometry().height()));
    window_->minHeight =
        twips(frameGeometry().height() - height() + (fixedSteps_ ? designMinHeight_ : minimumHeight()));
    if (QScreen* s = screen()) window_->maxHeight = twips(s->availableGeometry().height());
}

bool FormView::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // Sent before the window is mapped, so the window manager sees the
        // state from the start.
        if (!event->spontaneous() && !window_->def().showInTaskbar) skipTaskbar(*this);
        if (!event->spontaneous() && owner_ && windowHandle() && owner_->windowHandle() &&
            QGuiApplication::platformName().startsWith(u"wayland"))
            windowHandle()->setTransientParent(owner_->windowHandle());
        break;
    case QEvent::Close:
        // The window's form decides what closing means, and the view follows
        // the model: it is removed with its window. The request waits until
        // the close event is done with this view.
        event->ignore();
        QTimer::singleShot(0, [view = QPointer<FormView>(this)] {
            if (view) view->window_->requestClose();
        });
        return true;
    default: break;
    }
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
    // A window manager adds its frame after the window is mapped, which shows
    // as a move: the outer height and the limits change with it.
    case QEvent::Show:
    case QEvent::Resize:
    case QEvent::Move:
        if (isVisible()) syncHeightFromWindow();
        break;
    case QEvent::WindowStateChange: window_->WindowState.setSilently(isMinimized() ? 1 : isMaximized() ? 2 : 0); break;
    default: break;
    }
    return handled;
}

bool FormView::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    // A frame changes the outer height and its limits. The first frame is
    // moved onto the screen's available area; later moves are the user's.
    if (frameChanged(eventType, message))
        QTimer::singleShot(0, this, [this] {
            if (!isVisible()) return;
            syncHeightFromWindow();
            if (std::exchange(frameKeptOnArea_, true) || !screen()) return;
            const QRect in = onArea(frameGeometry(), screen()->availableGeometry());
            if (in != frameGeometry()) move(in.topLeft());
        });
    return QMainWindow::nativeEvent(eventType, message, result);
}

} // namespace kav::qt
