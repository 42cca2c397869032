#pragma once

class AppModel;
class DraftBinder;
class QWidget;

// The editable fields of the detail editor, each bound to the draft through `binder`: the common
// column, the model blocks (each shown only for a draft of its model) and the raw fields under
// "Erweitert". None of them validates a value or touches the application model.
namespace DetailFieldSections {

// Frequency, tag and mode; the mode list is the selected model's, whatever the draft's own model.
QWidget *commonColumn(DraftBinder &binder, AppModel *appModel);
QWidget *ft991aBlock(DraftBinder &binder);
QWidget *ft710Block(DraftBinder &binder);
QWidget *advancedFields(DraftBinder &binder);

} // namespace DetailFieldSections
