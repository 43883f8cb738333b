#pragma once

// Delphi's ExtCtrls unit, as far as the IDE and the add-in use it: timers,
// panels and the control bar that holds the IDE's toolbars and palette.

#include "Controls.h"
#include "Image.h"

// A timer of the platform's message loop, with a window of its own that
// WM_TIMER reaches. It runs while it is enabled, has an interval and a
// handler, and repeats, as the VCL's does; changing any of the three starts
// the countdown anew.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int Interval() const { return FInterval; }
  void SetInterval(int Value);
  TNotifyEvent OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

  // What the timer's window does with WM_TIMER: the handler runs.
  void Fire();
  int FireCount() const { return FFireCount; }

 private:
  void WndProc(TMessage& Message);
  void UpdateTimer();
  HWND FWindowHandle = nullptr;
  bool FEnabled = true;
  int FInterval = 1000;
  TNotifyEvent FOnTimer;
  int FFireCount = 0;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNoBorder, bsSingleBorder };

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  // A single border is a frame around the client area, as the window's
  // non-client edge: aligned children and the panel's own painting lie
  // inside it.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TRect ClientRect() const override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  TBevelCut FBevelOuter = bvRaised;
  TBorderStyle FBorderStyle = bsNoBorder;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  ~TPanel() override;
};

// Bands in one row, left to right, each as high as its control; with AutoSize
// the bar is as high as its tallest band plus its frame.
class TCustomControlBar : public TCustomControl {
 public:
  explicit TCustomControlBar(TComponent* AOwner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

 protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  // The face, and the two grab lines of each band left of its control.
  void Paint() override;

 private:
  bool FAutoSize = false;
};

class TControlBar : public TCustomControlBar {
 public:
  explicit TControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {}
};
