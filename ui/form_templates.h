// The window templates read from the form description.
#pragma once

struct FormTemplates;

// Releases the tag and cursor data copies of every record and empties the templates; the
// FormTemplates storage itself stays the caller's. Touches no platform object: the window code
// destroys unit objects and cursors first. Null does nothing.
void clearFormTemplates(FormTemplates *templates);

// Clears the templates, then releases their block (which came from allocateBlock); null does
// nothing.
void discardFormTemplates(FormTemplates *templates);
