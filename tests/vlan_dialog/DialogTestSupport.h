#pragma once

// Shared helpers of the VLAN dialog tests: a catalogue that records its
// lookups, a script that answers modal windows as they open, and arrays built
// through the array's own accessors.

#include "core/IniFile.h"
#include "core/VlanConfig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <deque>
#include <functional>

// A catalogue held in memory: keys of section "VLAN" mapped to texts, and
// every lookup recorded in order.
class RecordingCatalogue : public TIniFile
{
public:
    struct Lookup
    {
        QString section;
        QString key;
        QString def;
    };

    QHash<QString, QString> values; // key -> text, section "VLAN" only
    mutable std::vector<Lookup> lookups;

    QString ReadString(const QString& section, const QString& key, const QString& def) const override
    {
        lookups.push_back({section, key, def});
        if (section == QLatin1String("VLAN")) {
            const auto it = values.constFind(key);
            if (it != values.constEnd())
                return *it;
        }
        return def;
    }

    QStringList keys() const
    {
        QStringList k;
        for (const Lookup& l : lookups)
            k << l.key;
        return k;
    }
};

// Answers the modal windows that open while a test runs: each step gets the
// next new modal widget (QApplication::activeModalWidget()). The steps run
// from the event loop, so a step may open further modal windows.
class ModalScript : public QObject
{
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(std::initializer_list<Step> steps = {})
        : m_steps(steps)
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
        m_timer.start();
        m_idle.start();
    }

    void add(Step step) { m_steps.push_back(std::move(step)); }
    bool finished() const { return m_steps.empty() && !m_running; }
    int stepsRun() const { return m_run; }

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || m_running)
            return;
        if (w == m_last || m_steps.empty()) {
            // A window that no step answers would hang the test: close it.
            if (m_idle.elapsed() > 10000) {
                qWarning("ModalScript: closing an unanswered modal window %s",
                         qPrintable(w->objectName()));
                w->close();
                m_idle.restart();
            }
            return;
        }
        m_last = w;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        m_running = true;
        m_idle.restart();
        QTimer::singleShot(0, w, [this, step = std::move(step), w] {
            m_running = false;
            ++m_run;
            step(w);
        });
    }

    std::deque<Step> m_steps;
    QTimer m_timer;
    QElapsedTimer m_idle;
    QPointer<QWidget> m_last;
    bool m_running = false;
    int m_run = 0;
};

// Presses a standard button of a message box and returns the box's text.
inline QString answerBox(QWidget* w, QMessageBox::StandardButton button)
{
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box)
        return QStringLiteral("<not a message box: %1>").arg(w ? QString::fromLatin1(w->metaObject()->className()) : QString());
    const QString text = box->text();
    if (QAbstractButton* b = box->button(button))
        b->click();
    else
        box->reject();
    return text;
}

// A VLAN array built from the default image, with changes made through the
// accessors.
struct VlanArray
{
    std::array<unsigned char, kVlanConfigSize> bytes{};

    VlanArray() { bytes = VlanConfigArray::defaultImage(); }
    VlanConfigArray cfg() { return VlanConfigArray(bytes.data()); }
    unsigned char* data() { return bytes.data(); }

    // Replaces the static VLAN entries.
    VlanArray& entries(std::initializer_list<StaticVlanEntry> list)
    {
        VlanConfigArray c = cfg();
        int slot = 0;
        for (const StaticVlanEntry& e : list)
            c.writeSlot(slot++, e);
        c.set_pocet_vlan(static_cast<unsigned short>(list.size()));
        return *this;
    }
    VlanArray& mode(int m)
    {
        cfg().set_vlan_mode(char(m));
        return *this;
    }
};

// An entry: VID and the six codes LINE 2, LINE 3, LINE 4, Modem 1, Modem 2, NMS.
inline StaticVlanEntry entry(unsigned short vid, std::array<unsigned char, 6> codes)
{
    StaticVlanEntry e;
    e.vid = vid;
    e.codes = codes;
    return e;
}
