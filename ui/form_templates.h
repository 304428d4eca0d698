// The window templates read from the form description.
#pragma once

struct FormTemplates;

// Frees the templates and every unit object they still hold; null does nothing.
void discardFormTemplates(FormTemplates *templates);
