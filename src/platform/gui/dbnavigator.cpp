#include "platform/gui/dbnavigator.h"

#include "platform/core/dataset.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/errorguard.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
struct ButtonInfo {
    DBNavigator::Button button;
    const char* name;
    const char* caption;
    const char* tip;
};
const ButtonInfo kButtons[] = {
    {DBNavigator::First, "nbFirst", "|<", "Primo"},     {DBNavigator::Prior, "nbPrior", "<", "Precedente"},
    {DBNavigator::Next, "nbNext", ">", "Successivo"},   {DBNavigator::Last, "nbLast", ">|", "Ultimo"},
    {DBNavigator::Insert, "nbInsert", "+", "Inserisci"}, {DBNavigator::Delete, "nbDelete", "-", "Elimina"},
    {DBNavigator::Edit, "nbEdit", "\u25B2", "Modifica"}, {DBNavigator::Post, "nbPost", "\u2714", "Registra"},
    {DBNavigator::Cancel, "nbCancel", "\u2716", "Annulla"}, {DBNavigator::Refresh, "nbRefresh", "\u21BB", "Aggiorna"},
};
} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
}

void DBNavigator::bind(DataSource* source, int buttons) {
    m_source = source;
    for (const ButtonInfo& info : kButtons) {
        if (!(buttons & info.button))
            continue;
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(info.name));
        b->setText(QString::fromUtf8(info.caption));
        b->setToolTip(QString::fromLatin1(info.tip));
        b->setMinimumWidth(26);
        layout()->addWidget(b);
        m_buttons.append({info.button, b});
        const Button which = info.button;
        connect(b, &QToolButton::clicked, this, [this, which] {
            Dataset* d = m_source ? m_source->dataset() : nullptr;
            if (!d)
                return;
            guarded(this, [&] {
                switch (which) {
                case First: d->first(); break;
                case Prior: d->prior(); break;
                case Next: d->next(); break;
                case Last: d->last(); break;
                case Insert: d->append(); break;
                case Delete:
                    if (dialogs().confirm(this, deleteQuestion()))
                        d->remove();
                    break;
                case Edit: d->edit(); break;
                case Post: d->post(); break;
                case Cancel: d->cancel(); break;
                case Refresh: d->refresh(); break;
                default: break;
                }
            });
        });
    }
    if (Dataset* d = source->dataset()) {
        connect(d, &Dataset::stateChanged, this, &DBNavigator::updateButtons);
        connect(d, &Dataset::currentChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

QToolButton* DBNavigator::button(Button which) const {
    for (const auto& [b, widget] : m_buttons)
        if (b == which)
            return widget;
    return nullptr;
}

void DBNavigator::updateButtons() {
    Dataset* d = m_source ? m_source->dataset() : nullptr;
    const bool active = d && d->isActive();
    const bool editing = active && d->isEditing();
    for (const auto& [which, widget] : m_buttons) {
        bool enabled = active;
        if (which == Post || which == Cancel)
            enabled = editing;
        else if (which == Edit)
            enabled = active && !editing;
        widget->setEnabled(enabled);
    }
}
