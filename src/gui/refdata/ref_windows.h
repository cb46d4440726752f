#pragma once
// The reference windows in the main window: the commands "Список автомобилей", "Список типов
// автомобилей", "Список регистраторов", "Список носителей", "Список водителей" and their navigation
// items open each window once (restoring it when minimised).
class TData;
class TfrmMain;
class TfrmCars;

void RegisterReferenceWindows(TfrmMain& main, TData& data);

// The cars window, created when it is not open; null without a main window.
TfrmCars* OpenCarsWindow(TfrmMain& main);
