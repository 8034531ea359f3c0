#pragma once

#include <QLoggingCategory>

// The game flow's progress lines ("advanceGame() - ...", "onNewGame", "End game", ...)
// are a fixed contract that the end-to-end test reads line by line, so they, and only
// they, go to this category ("tolvanmere.flow"), and the tests capture this category
// alone. Traces of your own belong in a category of their own (or plain qDebug()); never
// add a line to this one without changing the end-to-end test with it.
Q_DECLARE_LOGGING_CATEGORY(flowLog)
