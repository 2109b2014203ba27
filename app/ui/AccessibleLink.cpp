#include "app/ui/AccessibleLink.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QVariant>
#include <QWidget>

namespace ui {

namespace AccessibleLink {
namespace {

// The dynamic property that marks a widget as described here, and whether it links.
constexpr char kLinksProperty[] = "corpometerLinks";

bool Links(const QWidget* widget) {
    return widget->property(kLinksProperty).toBool();
}

class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(QWidget* widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override {
        if (Links(widget())) return QAccessible::Link;
        return qobject_cast<const QLabel*>(widget()) && !Label()->text().isEmpty()
                   ? QAccessible::StaticText
                   : QAccessible::Graphic;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const QLabel* label = Label()) return label->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        if (!Links(widget())) return QAccessibleWidget::actionNames();
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && Links(widget())) {
            // Queued to the widget's thread, as a click is; the bridge may call from its own.
            QMetaObject::invokeMethod(widget(), "Click", Qt::QueuedConnection);
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

  private:
    const QLabel* Label() const { return qobject_cast<const QLabel*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    if (!object->property(kLinksProperty).isValid()) return nullptr;
    return new LinkAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void SetLinks(QWidget* widget, bool links) {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    const bool described = widget->property(kLinksProperty).isValid();
    widget->setProperty(kLinksProperty, links);
    if (described) return;
    // Qt may have made the widget's description already (as a label, when its text was
    // set): replace it with this one.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made != nullptr && dynamic_cast<LinkAccessible*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace AccessibleLink

}  // namespace ui
