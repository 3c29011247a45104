// Accessible interfaces of the client area and its painted labels.
#include "platform/qt/ClientAreaAccessible.h"

#include "model/Control.h"
#include "platform/qt/ClientArea.h"
#include "platform/qt/Convert.h"

#include <QPointer>
#include <QWidget>

namespace kav::qt {

namespace {

class LabelInterface final : public QAccessibleInterface {
public:
    LabelInterface(ClientArea* area, const Control& label) : area_(area), label_(&label) {}

    bool isValid() const override { return !area_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return area_ ? area_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(area_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && area_ ? qs(label_->Caption.get()) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!area_) return {};
        const QRect r = rectOf(label_->def(), area_->originOf(label_->def()).x(), area_->originOf(label_->def()).y());
        return QRect(area_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !area_ || !label_->Visible || !area_->isVisible();
        return s;
    }

private:
    QPointer<ClientArea> area_;
    const Control* label_;
};

// The client area's widget children first, then its labels.
class ClientAreaInterface final : public QAccessibleWidget {
public:
    explicit ClientAreaInterface(ClientArea* area) : QAccessibleWidget(area, QAccessible::Client) {}

    ClientArea* area() const { return static_cast<ClientArea*>(widget()); }
    int widgetCount() const { return QAccessibleWidget::childCount(); }

    int childCount() const override { return widgetCount() + static_cast<int>(area()->labelCount()); }
    QAccessibleInterface* child(int index) const override {
        if (index < widgetCount()) return QAccessibleWidget::child(index);
        return area()->labelInterface(static_cast<std::size_t>(index - widgetCount()));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int asWidget = QAccessibleWidget::indexOfChild(child);
        if (asWidget >= 0) return asWidget;
        for (std::size_t i = 0; i < area()->labelCount(); ++i)
            if (area()->labelInterface(i) == child) return widgetCount() + static_cast<int>(i);
        return -1;
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    // The client area has no meta-object of its own, so it asks as a QWidget.
    if (className != QLatin1String("QWidget")) return nullptr;
    if (auto* area = dynamic_cast<ClientArea*>(object)) return new ClientAreaInterface(area);
    return nullptr;
}

} // namespace

void installClientAreaAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* newLabelInterface(ClientArea* area, const Control& label) {
    return new LabelInterface(area, label);
}

QString lampWord(Colour c) {
    if (c == palette(10)) return QStringLiteral("grön");
    if (c == palette(14)) return QStringLiteral("gul");
    if (c == palette(12)) return QStringLiteral("röd");
    return QStringLiteral("släckt");
}

} // namespace kav::qt
