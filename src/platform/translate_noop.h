// Marks a text for the translation tools in code that does not include Qt: the text stays English
// here, and the window that shows it translates it.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
