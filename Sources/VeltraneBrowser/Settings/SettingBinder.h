#pragma once
// Connects the settings panes' controls to the owner's settings by key: a switch shows and writes
// its Boolean, a picker or a list its number among the choices the panes offer for that key (a
// value they do not offer is refused and stores nothing), and a pane is rebuilt when one of its
// keys changes.
//
//   SettingBinder::bindSwitch(toggle, settings, OwnerSettings::Key::builtinWords);
//   SettingBinder::bindPicker(picker, settings, OwnerSettings::Key::limit);
//   SettingBinder::onChange(this, settings, {OwnerSettings::Key::aiOn}, [this] { rebuild(); });

#include "Scan/OwnerSettings.h"
#include "Settings/PaneChoice.h"

#include <QList>
#include <QObject>

#include <functional>

class ChoicePicker;
class QAbstractButton;
class QComboBox;

class SettingBinder {
public:
    SettingBinder() = delete;

    // The choices the panes offer for a numeric key (none for the others); the stored value is an
    // extra first choice where the pane must show a value set elsewhere.
    static QList<PaneChoice> choices(const OwnerSettings &settings, OwnerSettings::Key key);
    // Writes a value the key's choices offer; false, with nothing stored, for any other.
    static bool pick(OwnerSettings &settings, OwnerSettings::Key key, qint64 value);

    static void bindSwitch(QAbstractButton *control, OwnerSettings &settings, OwnerSettings::Key key);
    static void bindPicker(ChoicePicker *picker, OwnerSettings &settings, OwnerSettings::Key key);
    static void bindList(QComboBox *list, OwnerSettings &settings, OwnerSettings::Key key);

    // Runs `act` from the event loop after a change of one of `keys`, while `receiver` lives.
    static QMetaObject::Connection onChange(QObject *receiver, OwnerSettings &settings,
                                            const QList<OwnerSettings::Key> &keys, std::function<void()> act);
};
