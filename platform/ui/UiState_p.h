// The input and painting state of the user interface in one object: what the
// controls, forms, window device contexts and drawing functions share between
// events. For the platform layer's own .cpp files only.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <array>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/gdi/WinGdi.h"

class QPaintDevice;
class TControl;
class TCustomForm;
struct TTranslatedEvent;

struct TUiState {
  // Mouse: the widget that has the mouse captured; the control under the
  // pointer and its widget.
  QPointer<QWidget> CaptureView;
  QPointer<QWidget> MouseView;
  TControl* MouseControl = nullptr;
  // Keys as GetKeyState reports them: down, and toggled (Caps Lock ...).
  std::array<bool, 256> KeyDown{};
  std::array<bool, 256> KeyToggled{};
  // The form the window system considers active (our model of it), and the
  // form we asked Qt to activate, until Qt has done it.
  TCustomForm* ActiveForm = nullptr;
  QPointer<QWidget> ActiveView;
  QPointer<QWidget> PendingQtActivation;
  QElapsedTimer PendingSince;
  // Message dispatch: its depth, the Qt events being translated (innermost
  // last), and the native widget being handed an event right now.
  int DispatchDepth = 0;
  std::vector<TTranslatedEvent*> Translated;
  QWidget* PassingTo = nullptr;
  // Painting: the context whose painter is open on each device (a device takes
  // one painter at a time), and the window device contexts open through
  // GetDC/GetWindowDC with their windows.
  std::unordered_map<const QPaintDevice*, TDeviceContext*> PainterOwners;
  std::map<HDC, QPointer<QWidget>> WindowDcs;
};

// The one state object, owned by the platform for the program's lifetime.
TUiState& UiState();
