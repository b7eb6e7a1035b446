#include "app/window_procedure.h"

#include "app/commands.h"
#include "app/main_screen.h"
#include "app/window_state.h"
#include "platform/draw_surface.h"
#include "platform/window_host.h"
#include "skin/scob.h"

std::array<scobGroup, groupTableSize> groupTable;
int groupsInUse = 0;

namespace {

// Mouse-button kinds and the primary button, as the controls take them.
constexpr int buttonDown = 1;
constexpr int buttonUp = 2;
constexpr int primaryButton = 0;

// Offers the pointer event to every interactive control of group 0 in order,
// whether or not an earlier one was hit: overlapping controls all hear it. A
// click completed on release runs its command before the next control is asked.
void routeMouse(const WindowMessage& message)
{
    scobGroup& group = groupTable[0];
    for (int i = 0; i < group.count(); ++i) {
        scob* control = group.control(i);
        if (!control || !control->isInteractive())
            continue;
        switch (message.kind) {
        case WindowMessageKind::mouseMove:
            control->mouseMove(message.x, message.y);
            break;
        case WindowMessageKind::leftButtonDown:
            control->mouseButton(message.x, message.y, buttonDown, primaryButton);
            break;
        case WindowMessageKind::leftButtonUp:
            if (control->mouseButton(message.x, message.y, buttonUp, primaryButton))
                dispatchCommand(group.commandNumber(i));
            break;
        default:
            break;
        }
    }
}

// The change-scan timer runs only while a control may have changed: the
// messages that can change one start it, and the tick that has brought every
// change to the screen stops it. An idle window gets no ticks at all.
bool screenTimerRunning = false;

void expectScreenChanges(WindowHost& window)
{
    if (!screenTimerRunning) {
        window.startTimer(screenTimerId, screenTimerPeriod);
        screenTimerRunning = true;
    }
}

bool anyControlDirty(const scobGroup& group)
{
    for (int i = 0; i < group.count(); ++i) {
        if (const scob* control = group.control(i); control && control->isDirty())
            return true;
    }
    return false;
}

// Controls only mark themselves dirty; this tick is where their changes reach
// the screen, all changes since the last tick in one frame. Afterwards nothing
// is left to draw until another message arrives, so the timer stops.
void handleTimer(WindowHost& window)
{
    for (int g = 0; g < groupsInUse; ++g) {
        if (groupTable[g].isActive() && anyControlDirty(groupTable[g]))
            repaintRequested = 1;
    }
    if (repaintRequested == 1) {
        composeFrame(window);
        repaintRequested = 0;
    }
    if (screenTimerRunning) {
        window.stopTimer(screenTimerId);
        screenTimerRunning = false;
    }
}

void handleKey(unsigned virtualKey)
{
    if (virtualKey == virtualKeyOfLetter('C')) {
        screenSkin.nextSkin();
    } else if (virtualKey == virtualKeyOfLetter('K')) {
        screenSkin.nextSkin();
        repaintRequested = 1;
    }
}

}  // namespace

void composeFrame(WindowHost& target)
{
    DrawSurface frame(clientWidth, clientHeight);
    DrawContext dc = frame.context();
    for (int g = 0; g < groupsInUse; ++g) {
        if (groupTable[g].isActive())
            groupTable[g].paintAll(dc);
    }
    target.present(frame);
}

bool windowProcedure(WindowHost& window, const WindowMessage& message)
{
    switch (message.kind) {
    case WindowMessageKind::create:
        // The screen starts the timer itself, for its first frame.
        buildMainScreen(window);
        screenTimerRunning = true;
        return true;
    case WindowMessageKind::destroy:
        captureSettings();
        return true;
    case WindowMessageKind::paint:
        composeFrame(window);
        return true;
    case WindowMessageKind::keyDown:
        handleKey(message.code);
        expectScreenChanges(window);
        return true;
    case WindowMessageKind::timer:
        handleTimer(window);
        return true;
    case WindowMessageKind::mouseMove:
    case WindowMessageKind::leftButtonDown:
    case WindowMessageKind::leftButtonUp:
        routeMouse(message);
        expectScreenChanges(window);
        return true;
    case WindowMessageKind::rightButtonDown:
    case WindowMessageKind::command:
        return true;
    case WindowMessageKind::other:
        break;
    }
    return false;
}
