#pragma once
// Pictures and cursors kept as Qt resources of a folder (":/<module>/<name>"); this folder's own are
// under the module "controls": the date glyph "DEDITBMP", the calendar arrows "PREV1", "PREV2",
// "NEXT1", "NEXT2" and the cursors "KX_HANDCUR" and "KX_DRAGCUR".
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <string>

#include "platform/text/text.h"

// "Resource %s not found"
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};
// "Too many resources" (the cursor list is full)
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// A bitmap resource; raises EResNotFound naming it when there is none.
QImage MakeModuleBitmap(const std::string& module, const std::string& name);
QImage MakeBitmap(const std::string& name);
QImage MakeBitmapID(int id); // the resource named by the number
// An icon resource, or a null icon when there is none.
QIcon MakeModuleIcon(const std::string& module, const std::string& name);
QIcon MakeIcon(const std::string& name);
QIcon MakeIconID(int id);

// ---- The screen's cursor list -------------------------------------------------------
constexpr int crHandPoint = 14000; // "KX_HANDCUR", registered on first use of the list
constexpr int crDragHand = 14001;  // "KX_DRAGCUR"
// The cursor at index, or the arrow for an index with none.
QCursor ScreenCursor(int index);
bool HasScreenCursor(int index);
// Registers a cursor resource under the first free index from 100; raises EOutOfResources when none
// is free and EResNotFound when there is no such cursor.
int DefineCursor(const std::string& module, const std::string& name);
// Animated cursors have no format here: always the null cursor (Qt::BitmapCursor without a picture).
bool LoadAniCursor(const std::string& module, const std::string& name, QCursor& cursor);
// The wait cursor over the whole program; starts nest, and the last stop puts the cursor back.
void StartWait();
void StopWait();
int WaitNesting();
