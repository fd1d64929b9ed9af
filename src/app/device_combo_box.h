#pragma once
// The master-device drop-down list the main window and the device selection
// window share the look of.

class QWidget;
class TskComboBox;

/// GUI thread. A drop-down list (no typing) in the Azure look with the
/// windows' grey-blue border and arrow; a child of `parent`.
TskComboBox* MakeDeviceComboBox(QWidget* parent);
