#pragma once

class AppSettings;
class HistoryStore;
class NotificationService;
class RemindersService;
class TaskStore;

// The five long-lived objects that SlateApp creates once for the window and hands to every
// screen, in the order they are created. Screens never make their own.
struct SharedObjects {
    AppSettings &settings;
    HistoryStore &history;
    RemindersService &service;
    TaskStore &store;
    NotificationService &notify;
};
