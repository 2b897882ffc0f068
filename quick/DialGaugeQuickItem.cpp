// SPDX-License-Identifier: MIT
#include "quick/DialGaugeQuickItem.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaType>
#include <QMouseEvent>
#include <QPainter>
#include <QtQml/qqml.h>

#include <cmath>

#include "gauge/DialGaugePainter.h"
#include "platform/SysErrors.h"

TDialGaugeQuickItem::TDialGaugeQuickItem(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    // As the widget's size hint; the state takes its first geometry from it.
    setImplicitSize(200, 200);
    setSize(QSizeF(200, 200));
    m_state = std::make_unique<TDialGaugeState>(static_cast<THost &>(*this), nullptr, false);
    m_painter = std::make_unique<TDialGaugePainter>(*m_state);
    m_painter->SetErrorReport([this](const Exception &error) {
        // Not inside the paint: a handler may change the gauge.
        QMetaObject::invokeMethod(
            this, [this, message = error.message()] { emit paintError(message); }, Qt::QueuedConnection);
    });
    m_needle = std::make_unique<TDialGaugeQuickNeedle>(*m_state->Needle(), nullptr);
    m_arc = std::make_unique<TDialGaugeQuickArc>(*m_state->Arc(), nullptr);
    m_digit = std::make_unique<TDialGaugeQuickDigit>(*m_state->Digit(), nullptr);
    m_outerCircle = std::make_unique<TDialGaugeQuickOuterCircle>(*m_state->OuterCircle(), nullptr);
    m_innerCircle = std::make_unique<TDialGaugeQuickInnerCircle>(*m_state->InnerCircle(), nullptr);
    m_outerRim = std::make_unique<TDialGaugeQuickOuterRim>(*m_state->OuterRim(), nullptr);
    m_font = std::make_unique<TDialGaugeQuickFont>(*m_state->Font(), nullptr);
    m_valueFont = std::make_unique<TDialGaugeQuickFont>(*m_state->ValueFont(), nullptr);
    // What a widget's first resize event does: margins and geometry from the size.
    m_state->Resized();
    // Any change may change what a group reads: bindings on them follow.
    for (TDialGaugeQuickGroup *group : std::initializer_list<TDialGaugeQuickGroup *>{
             m_needle.get(), m_arc.get(), m_digit.get(), m_outerCircle.get(), m_innerCircle.get(),
             m_outerRim.get(), m_font.get(), m_valueFont.get()})
        connect(this, &TDialGaugeQuickItem::changed, group, &TDialGaugeQuickGroup::changed);

    setOpaquePainting(false);
    setFlag(ItemAcceptsInputMethod, false);
    connect(this, &QQuickItem::activeFocusOnTabChanged, this, &TDialGaugeQuickItem::TabStopChanged);
    connect(this, &QQuickItem::enabledChanged, this, [this] { m_state->Invalidate(); });
}

TDialGaugeQuickItem::~TDialGaugeQuickItem()
{
    for (TDialGaugeQuickSection *section : std::as_const(m_sections))
        disconnect(section, nullptr, this, nullptr);
    // The state goes first: nothing it does on the way may reach the painter.
    std::unique_ptr<TDialGaugeState> state = std::move(m_state);
    state.reset();
}

// --- the item as the state's host -------------------------------------------------

QSize TDialGaugeQuickItem::HostSize() const
{
    // The painters work in whole logical pixels, as a widget has them.
    return QSize(int(std::lround(width())), int(std::lround(height())));
}

void TDialGaugeQuickItem::RepaintRequested(TDialGaugeState::Repaint kind)
{
    if (!m_painter)
        return;
    // The whole item: Qt Quick paints a painted item whole into its picture
    // anyway. The painter finds out for itself which kept layers the change
    // reaches, and a glide step redraws only what the value changes.
    Q_UNUSED(kind);
    update();
    emit changed();
}

void TDialGaugeQuickItem::ValueChanged(double)
{
    emit valueChanged();
}

void TDialGaugeQuickItem::ValueSettled(double value)
{
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void TDialGaugeQuickItem::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    if (m_state && newGeometry.size() != oldGeometry.size())
        m_state->Resized();
}

void TDialGaugeQuickItem::paint(QPainter *painter)
{
    // Whole: Qt Quick clips a partial update itself, and keeps no picture
    // between paints for the painter to draw a region into. The picture was
    // just cleared to transparent and the painter lays its frame down in one
    // piece: copied, not blended, it comes out the same, sooner.
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->paint(*painter);
}

// --- properties -----------------------------------------------------------------

void TDialGaugeQuickItem::setValue(double value)
{
    if (m_state->IsLoading())
        m_declaredValue = value;
    m_state->SetValue(value);
}

QColor TDialGaugeQuickItem::divisionColor() const
{
    return TDialGaugeProperties::ToQColor(m_state->DivisionColor());
}

void TDialGaugeQuickItem::setDivisionColor(const QColor &value)
{
    m_state->SetDivisionColor(TDialGaugeProperties::FromQColor(value));
}

QColor TDialGaugeQuickItem::subDivisionColor() const
{
    return TDialGaugeProperties::ToQColor(m_state->SubDivisionColor());
}

void TDialGaugeQuickItem::setSubDivisionColor(const QColor &value)
{
    m_state->SetSubDivisionColor(TDialGaugeProperties::FromQColor(value));
}

void TDialGaugeQuickItem::setNeedleType(NeedleType value)
{
    // A number that names no type is refused, as an unknown name is by QML.
    if (value == Pointer || value == Selector)
        m_state->SetNeedleType(TDialGaugeNeedleType(value));
}

void TDialGaugeQuickItem::applyStyle(int preset)
{
    if (preset >= 0 && preset <= 9)
        m_state->ApplyStyle(quint8(preset));
}

// --- sections ---------------------------------------------------------------------

QQmlListProperty<TDialGaugeQuickSection> TDialGaugeQuickItem::sections()
{
    return QQmlListProperty<TDialGaugeQuickSection>(this, &m_sections, &AppendSection, &SectionCount, &SectionAt,
                                                    &ClearSections);
}

void TDialGaugeQuickItem::AppendSection(QQmlListProperty<TDialGaugeQuickSection> *list,
                                        TDialGaugeQuickSection *section)
{
    auto *item = static_cast<TDialGaugeQuickItem *>(list->object);
    if (!section)
        return;
    item->m_sections.append(section);
    connect(section, &TDialGaugeQuickGroup::changed, item, &TDialGaugeQuickItem::SyncSections);
    // A section destroyed elsewhere leaves the list, as it leaves a widget's.
    connect(section, &QObject::destroyed, item, [item, section] {
        item->m_sections.removeAll(section);
        item->SyncSections();
    });
    item->SyncSections();
}

qsizetype TDialGaugeQuickItem::SectionCount(QQmlListProperty<TDialGaugeQuickSection> *list)
{
    return static_cast<TDialGaugeQuickItem *>(list->object)->m_sections.size();
}

TDialGaugeQuickSection *TDialGaugeQuickItem::SectionAt(QQmlListProperty<TDialGaugeQuickSection> *list,
                                                       qsizetype index)
{
    return static_cast<TDialGaugeQuickItem *>(list->object)->m_sections.value(index);
}

void TDialGaugeQuickItem::ClearSections(QQmlListProperty<TDialGaugeQuickSection> *list)
{
    auto *item = static_cast<TDialGaugeQuickItem *>(list->object);
    for (TDialGaugeQuickSection *section : std::as_const(item->m_sections))
        disconnect(section, nullptr, item, nullptr);
    item->m_sections.clear();
    item->SyncSections();
}

void TDialGaugeQuickItem::SyncSections()
{
    if (!m_state)
        return;
    TDialGaugeState::TBatch batch(*m_state);
    TDialGaugeSections &target = *m_state->Sections();
    target.Clear();
    for (const TDialGaugeQuickSection *section : std::as_const(m_sections))
        target.Add()->Assign(&section->Section());
    m_state->Invalidate();
}

// --- input ------------------------------------------------------------------------

void TDialGaugeQuickItem::TabStopChanged()
{
    const bool takes = activeFocusOnTab();
    // Only a gauge that takes input keeps clicks from the items below it.
    setAcceptedMouseButtons(takes ? Qt::AllButtons : Qt::NoButton);
    m_state->SetTabStop(takes);
}

void TDialGaugeQuickItem::keyPressEvent(QKeyEvent *event)
{
    if (activeFocusOnTab() && isEnabled() && m_state->KeyPressed(event->key()))
        event->accept();
    else
        event->ignore();
}

void TDialGaugeQuickItem::mousePressEvent(QMouseEvent *event)
{
    // A click focuses the gauge, as a widget with a strong focus policy.
    if (!activeFocusOnTab()) {
        event->ignore();
        return;
    }
    forceActiveFocus(Qt::MouseFocusReason);
    event->accept();
}

void TDialGaugeQuickItem::mouseReleaseEvent(QMouseEvent *event)
{
    if (!activeFocusOnTab() || !isEnabled()) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    m_state->PointToValue(int(std::floor(at.x())), int(std::floor(at.y())));
    event->accept();
}

void TDialGaugeQuickItem::focusInEvent(QFocusEvent *event)
{
    QQuickPaintedItem::focusInEvent(event);
    m_state->SetFocus(true);
}

void TDialGaugeQuickItem::focusOutEvent(QFocusEvent *event)
{
    QQuickPaintedItem::focusOutEvent(event);
    m_state->SetFocus(false);
}

// --- accessibility -----------------------------------------------------------------

void TDialGaugeQuickItem::classBegin()
{
    QQuickPaintedItem::classBegin();
    m_state->BeginLoading();
}

void TDialGaugeQuickItem::componentComplete()
{
    if (m_declaredValue)
        m_state->SetValue(*m_declaredValue);
    m_declaredValue.reset();
    m_state->EndLoading();
    QQuickPaintedItem::componentComplete();
    MakeAccessible();
}

void TDialGaugeQuickItem::MakeAccessible()
{
    // Accessible.role: Accessible.Dial, as a document would write it, unless
    // the document chose a role of its own. Qt Quick then offers the value
    // interface, reading value, minimumValue and maximumValue.
    const QMetaType type = QMetaType::fromName("QQuickAccessibleAttached*");
    const QMetaObject *meta = type.isValid() ? type.metaObject() : nullptr;
    if (!meta)
        return;
    QObject *attached = qmlAttachedPropertiesObject(this, qmlAttachedPropertiesFunction(this, meta), true);
    if (!attached)
        return;
    const int role = attached->property("role").toInt();
    if (role == QAccessible::NoRole || role == QAccessible::Client)
        attached->setProperty("role", int(QAccessible::Dial));
}
