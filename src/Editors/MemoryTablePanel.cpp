#include "Editors/MemoryTablePanel.h"

#include "Editors/EditorStyle.h"
#include "Editors/ElidedHeaderView.h"
#include "Editors/MemoryTableDelegate.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTableView.h"
#include "Localization/L.h"
#include "Theme/TextStyle.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Room for a picker and for three lines of the summary.
constexpr int rowHeight = 46;

} // namespace

MemoryTablePanel::MemoryTablePanel(AppModel *appModel, EditorDraft *draft, QWidget *parent)
    : QWidget(parent)
    , m_model(new MemoryTableModel(appModel, draft, this))
    , m_view(new MemoryTableView(m_model)) {
    setObjectName(QStringLiteral("memoryTable"));
    auto *title = new QLabel(loc(QStringLiteral("Kanalliste – direkt editierbar")));
    title->setObjectName(QStringLiteral("memoryTable.title"));
    title->setFont(TextStyle::font(font(), 1.0, QFont::DemiBold));
    QLabel *hint = EditorStyle::captionLabel(loc(
        QStringLiteral("Die Liste bildet jetzt die wichtigsten Felder aus dem Detaileditor je Funkgerät ab. "
                       "Für die FT-710 sind nun auch Ablage-Betrag sowie die Rohfelder direkt in der Liste "
                       "vorhanden. Import/Export findest du oben in der Leiste; für Spezialfälle bleibt der "
                       "Detailbereich erhalten.")));
    hint->setWordWrap(true);

    m_view->setObjectName(QStringLiteral("memoryTable.view"));
    m_view->setAccessibleName(title->text());
    m_view->setHorizontalHeader(new ElidedHeaderView(m_view));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new MemoryTableDelegate(m_model, m_view));
    m_view->setShowGrid(false);
    m_view->setWordWrap(true);
    // The selected channel's row highlight is the only selection shown; a selected cell would be
    // filled solid in the model's colour under its text.
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    // A click opens a cell's field or list at once (see eventFilter); moving through the table
    // with the arrow keys opens nothing until a key is typed or the edit key pressed.
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    // Tab on the table leaves it for the next control (see MemoryTableView); the arrow keys move
    // inside it.
    m_view->setTabKeyNavigation(false);
    m_view->installEventFilter(this);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_view->horizontalHeader()->setFont(TextStyle::font(EditorStyle::caption(), 1.0, QFont::DemiBold));
    m_view->horizontalHeader()->setHighlightSections(false);
    // A title too long for its column ends in "…" (the whole title is the tooltip).
    m_view->horizontalHeader()->setTextElideMode(Qt::ElideRight);
    m_view->viewport()->installEventFilter(this);
    // Three whole rows stay in view, not 360 pixels: the table shares the main window's column
    // with the log, and the column scrolls when both do not fit.
    m_view->setMinimumHeight(m_view->horizontalHeader()->sizeHint().height() + 3 * rowHeight +
                             m_view->horizontalScrollBar()->sizeHint().height() + 2 * m_view->frameWidth());
    connect(m_model, &QAbstractItemModel::modelReset, this, &MemoryTablePanel::applyColumnWidths);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addWidget(m_view, 1);

    applyColumnWidths();
    showTitlesAsSecondary();
}

void MemoryTablePanel::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        showTitlesAsSecondary();
}

// A press anywhere on a row selects its channel, on a disabled cell as well; a click on an
// editable cell opens its editor, as a field or picker outside a table would. The keyboard and
// Shift with the wheel have their say first.
bool MemoryTablePanel::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        activateCurrentCell(*static_cast<QKeyEvent *>(event)))
        return true;
    if (watched == m_view->viewport() && event->type() == QEvent::Wheel &&
        scrollSideways(*static_cast<QWheelEvent *>(event)))
        return true;
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == m_view->viewport() && (press || event->type() == QEvent::MouseButtonRelease)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_view->indexAt(mouse->position().toPoint());
        if (index.isValid() && press)
            m_model->selectRow(index.row());
        else if (index.isValid() && mouse->button() == Qt::LeftButton && (index.flags() & Qt::ItemIsEditable))
            openCell(index);
    }
    return QWidget::eventFilter(watched, event);
}

// Space, Return and Enter do on the current cell what a click does: they select the row and
// turn a switch, press "Schreiben" or open a field or picker.
bool MemoryTablePanel::activateCurrentCell(const QKeyEvent &key) {
    static const QList<int> keys{Qt::Key_Space, Qt::Key_Select, Qt::Key_Return, Qt::Key_Enter};
    const QModelIndex index = m_view->currentIndex();
    // A key an open field passes on is the field's.
    if (!keys.contains(key.key()) || (key.modifiers() & ~Qt::KeypadModifier) || !index.isValid() ||
        !m_view->hasFocus())
        return false;
    m_model->selectRow(index.row());
    if (index.flags() & Qt::ItemIsEditable)
        openCell(index);
    else
        m_model->press(index);
    return true;
}

// A click or key opens a picker's list at once, as it does on a picker outside a table. Tab onto
// a picker opens it closed, so the next Tab moves on.
void MemoryTablePanel::openCell(const QModelIndex &index) {
    m_view->edit(index);
    if (auto *picker = qobject_cast<QComboBox *>(m_view->indexWidget(index)))
        QTimer::singleShot(0, picker, [picker] {
            if (picker->isVisible())
                picker->showPopup();
        });
}

// The wheel with Shift held moves the table sideways, to the columns on the right.
bool MemoryTablePanel::scrollSideways(const QWheelEvent &wheel) {
    if (!(wheel.modifiers() & Qt::ShiftModifier) || wheel.angleDelta().y() == 0)
        return false;
    QWheelEvent sideways(wheel.position(), wheel.globalPosition(), wheel.pixelDelta().transposed(),
                         wheel.angleDelta().transposed(), wheel.buttons(),
                         wheel.modifiers() & ~Qt::ShiftModifier, wheel.phase(), wheel.inverted());
    QCoreApplication::sendEvent(m_view->horizontalScrollBar(), &sideways);
    return true;
}

// The style draws the column titles in the button text colour; they are in the secondary text
// colour of the summaries below them (the captions' grey reads too faintly on the header's lighter
// face). Only that colour is the header's own, so the rest follows the window's palette.
void MemoryTablePanel::showTitlesAsSecondary() {
    QPalette titles;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        titles.setColor(group, QPalette::ButtonText, EditorStyle::secondaryText(palette(), group));
    m_view->horizontalHeader()->setPalette(titles);
}

void MemoryTablePanel::applyColumnWidths() {
    for (int section = 0; section < m_model->columnCount(); ++section)
        m_view->setColumnWidth(section, ::width(m_model->column(section)));
}
