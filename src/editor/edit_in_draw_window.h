#pragma once
// The one way another window (Play, Section, Sequence) hands a file to the
// Draw window for editing: the drawing or image is read first, and only a
// read that succeeded replaces what the Draw window holds, together with its
// file name and file-name label, so a later Save writes to the file shown.

#include "model/file_io.h"

#include <QString>

class TForm1;

/// GUI thread. Reads the drawing file as Open_D does (LoadDrawingFile). On
/// success the Draw window's drawing, file name and Label8 become the file's,
/// its selection and undo history are emptied and the window is shown. A file
/// that is not there or cannot be read changes nothing in the Draw window and
/// gives a message naming it. A file cut short inside a point record is shown
/// as a new drawing ("newdrawing", no file name) and gives "Read Error!".
FileResult EditDrawingInDrawWindow(TForm1& draw, const QString& path);

/// GUI thread. Opens the ILDA image in the Draw window's frame pages (page 1,
/// no frame selected) and shows the window; the frame pages decide what a
/// damaged file leaves and name, and their message is returned.
FileResult EditIldaInDrawWindow(TForm1& draw, const QString& path);
