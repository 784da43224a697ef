// The private window messages of the tune-up worker and its threads.
#pragma once

#include <windows.h>

// To a new worker thread (a thread message): begin.
constexpr UINT WM_WORKER_START = 0x8001;
// To the worker's window: a thread ended. wParam names the thread, lParam is its status code.
constexpr UINT WM_WORKER_DONE = 0x8003;
constexpr WPARAM kCollectionThread = 0x8004;
constexpr WPARAM kSpeedTestThread = 0x8005;

// To the progress view.
constexpr UINT WM_IMAGES_FOUND = 0x8011;      // wParam: number of images listed
constexpr UINT WM_IMAGE_CHECKED = 0x8012;
constexpr UINT WM_TIMED_FETCHES = 0x8013;     // wParam: number of timed fetches of this test
constexpr UINT WM_TIMED_FETCH_DONE = 0x8014;
constexpr UINT WM_COLLECT_PASS = 0x8015;
