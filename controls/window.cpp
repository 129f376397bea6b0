#include "window.h"

#include "app_identity.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

void Window::setListIndex(QComboBox *list, int index)
{
    {
        // The handler runs below, exactly once, whether the index changed or not.
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
    runClickHandler(list);
}

void Window::setClickHandler(QComboBox *list, std::function<void()> handler)
{
    clickHandlers_[list] = std::move(handler);
}

std::function<void()> Window::clickHandler(QComboBox *list) const
{
    const auto found = clickHandlers_.find(list);
    return found == clickHandlers_.end() ? std::function<void()>() : found->second;
}

void Window::runClickHandler(QComboBox *list)
{
    const auto found = clickHandlers_.find(list);
    if (found != clickHandlers_.end() && found->second)
        found->second();
}

void Window::message(const QString &text, MessageIcon icon, const QString &title)
{
    services.messages.show(text, title.isEmpty() ? QString::fromUtf8(identity::title) : title,
                           icon);
}

bool Window::autoNextTicked() const
{
    return chkAuto->checkState() == Qt::Checked;
}

Operation Window::operation() const
{
    return operationAt(cboCode->currentIndex());
}

HintKind Window::hintKind() const
{
    return hintKindAt(cboPic->currentIndex());
}
