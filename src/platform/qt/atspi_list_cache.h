#pragma once
// What a screen reader's AT-SPI library may keep of a long list, told by
// Tarvo where Qt tells nothing.
//
// Qt's AT-SPI bridge answers the Cache object's GetItems with nothing, never
// sends AddAccessible, and marks list rows "transient": libatspi, in the
// screen reader's process, then keeps nothing about a row. Orca's "List with
// N items" asks every row for its role, and its braille searches the rows
// from the top for the focused one (Qt 6.4 offers no Selection interface to
// ask instead): one to four D-Bus round trips a row, half a minute at 40,000
// rows. This object sends, on Qt's own accessibility connection and from the
// Cache object's path, one AddAccessible for the list (its child count) and
// one a row (its path, index, name, role and states, without "transient"),
// so libatspi answers those questions from memory. The rows stay Qt's own
// objects: their paths, their events and every other question are the
// bridge's.
//
// Kept true after a fill (everything again, in slices, the window answering
// between them; the rest at once when the user reaches the list sooner), after a scroll rests (the rows that came into or left the
// view: "showing"), after the caret rests (the rows it left and reached: a
// reader that asked the bridge for their states was told "transient" and
// forgot them), and when an AT-SPI client starts listening (it found Qt's
// GetItems empty). Focus and selection reach libatspi through the bridge's
// own state-changed events. The rows of a fill that goes are told gone
// (RemoveAccessible), in slices too, so a reader keeps one copy of the list
// through any number of F5.
//
// It leans on how Qt's bridge names its objects, which no API promises: it
// tells nothing until a question to the bridge, at the path it would use for
// the list, comes back with the list's role and name. TARVO_ATSPI_CACHE=off
// turns it off.

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <set>
#include <unordered_set>
#include <vector>

class QAbstractItemView;
class QAccessibleInterface;

namespace tarvo {

class AtspiListCache : public QObject {
public:
    // Rows told at a time, the window's events handled between: the reader
    // stores a slice in a few milliseconds, faster than it is told, and
    // stays free for keys (Qt gives it 100 ms to answer each).
    static constexpr int kSlice = 500;

    // For the view's list (its model set), owned by the view; none where it
    // is turned off.
    static AtspiListCache* Attach(QAbstractItemView* view);
    // The list's own name or description changed.
    void ListChanged();
    // Nothing left to tell (a test waits for it).
    bool Idle() const {
        return next_ < 0 && gone_.empty() && !touched_.isActive() && !settle_.isActive() && !listener_.isActive();
    }

private:
    explicit AtspiListCache(QAbstractItemView* view);
    enum class Check { NotYet, Asked, Passed, Failed };

    void AnnounceAll();
    // The next slice of rows, or as many as there are left.
    void Step(int rows = kSlice);
    // The user reached the list (it took the focus, or its selection moved)
    // while a fill is being told: the reader must take in every row before
    // it hears of the focus, or it asks the bridge row by row.
    void TellTheRest();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void AnnounceVisible();
    void AnnounceTouched();
    // Asks the bridge for the list's role and name at the path told.
    void CheckPaths();
    bool SendItem(QAccessibleInterface* item, QAccessibleInterface* parent, int index, bool isList);
    // The rows told so far are going with the fill: each is told gone.
    void ForgetRows();
    // The next slice of rows told gone, but those told again since.
    void StepForgetting();
    // The list's accessible object and its table, when there is a bus to tell.
    QAccessibleInterface* List() const;

    QPointer<QAbstractItemView> view_;
    QTimer batch_;     // the rows in slices
    QTimer settle_;    // a scroll, once it rests
    QTimer touched_;   // the rows the caret left and reached, once it rests
    QTimer listener_;  // a new AT-SPI client, once it has registered all it wants
    std::set<int> touchedRows_;
    QTimer forget_;  // the rows gone, in slices
    std::unordered_set<QAccessible::Id> told_;  // the rows a reader was told of and keeps
    std::vector<QAccessible::Id> gone_;         // to tell gone
    int next_ = -1;  // the next row to tell; -1: nothing under way
    int firstShown_ = 0, lastShown_ = -1;
    int waits_ = 0;  // for Qt's connection to the accessibility bus
    bool listening_ = false;
    Check check_ = Check::NotYet;
};

}  // namespace tarvo
