#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What assistive tools see of a step list: a combo box named by its step and heading
// (« Etape 1, Hélice »), whose value is the list's text. The toolkit's own combo box would give
// the list's text as its name on this system.
QAccessibleInterface* stepListAccessible(const QString& className, QObject* object);

// The factory above, and the step lists' field kept from the screen readers' events (its
// selection, caret and text): the list tells its focus and item itself. Once per program.
void installStepListAccessibility();
