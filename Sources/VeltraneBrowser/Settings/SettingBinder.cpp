#include "Settings/SettingBinder.h"

#include "Settings/BasicPaneModel.h"
#include "Settings/ChoicePicker.h"
#include "Settings/HistoryPaneModel.h"

#include <QAbstractButton>
#include <QComboBox>

using Key = OwnerSettings::Key;

QList<PaneChoice> SettingBinder::choices(const OwnerSettings &settings, Key key)
{
    switch (key) {
    case Key::limit:
        return BasicPaneModel::limitChoices(settings.limit());
    case Key::postLimit:
        return BasicPaneModel::postLimitChoices();
    case Key::autoScanHours:
        return BasicPaneModel::autoScanChoices();
    case Key::minLikes:
        return BasicPaneModel::minLikesChoices(settings.minLikes());
    case Key::keepDays:
        return HistoryPaneModel::keepDaysChoices();
    default:
        return {};
    }
}

bool SettingBinder::pick(OwnerSettings &settings, Key key, qint64 value)
{
    if (!PaneChoice::offers(choices(settings, key), value))
        return false;
    return settings.set(key, value);
}

void SettingBinder::bindSwitch(QAbstractButton *control, OwnerSettings &settings, Key key)
{
    control->setChecked(settings.get(key).toBool());
    QObject::connect(control, &QAbstractButton::toggled, &settings,
                     [&settings, key](bool on) { settings.set(key, on); });
}

void SettingBinder::bindPicker(ChoicePicker *picker, OwnerSettings &settings, Key key)
{
    picker->setChoices(choices(settings, key), settings.get(key).toLongLong());
    QObject::connect(picker, &ChoicePicker::picked, &settings, [&settings, key](qint64 v) { pick(settings, key, v); });
}

void SettingBinder::bindList(QComboBox *list, OwnerSettings &settings, Key key)
{
    for (const PaneChoice &c : choices(settings, key))
        list->addItem(c.label, c.value);
    list->setCurrentIndex(list->findData(settings.get(key).toLongLong()));
    QObject::connect(list, &QComboBox::activated, &settings,
                     [&settings, key, list](int index) { pick(settings, key, list->itemData(index).toLongLong()); });
}

QMetaObject::Connection SettingBinder::onChange(QObject *receiver, OwnerSettings &settings, const QList<Key> &keys,
                                                std::function<void()> act)
{
    return QObject::connect(
        &settings, &OwnerSettings::changed, receiver,
        [keys, act = std::move(act)](Key key) {
        if (keys.contains(key))
            act();
        },
        Qt::QueuedConnection);
}
