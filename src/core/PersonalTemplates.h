#pragma once
// Word, Excel and PowerPoint 2013 and later list the templates of one folder under File > New >
// Personal: the one that File > Options > Save names as the default personal templates location.
// That setting is empty on a new profile, so the templates Dorvane installs stay out of
// sight until it names the user's templates folder.
#include <string>
#include <vector>

namespace Module1 {

struct InstallRun;

// At the end of an install run that left a template in the user's templates folder:
// points the setting of each found application that has a template there when nothing (no user, no
// script, no policy) named a folder yet and Dorvane.ini does not switch this off. One debug line
// per application says what was done, or why nothing (for Word even when it was not
// found). Never fails the run: the templates are installed either way.
// With `said` (a check), the lines go there and nothing is written.
void OfferTemplatesToOffice(InstallRun& run, std::vector<std::wstring>* said = nullptr);

} // namespace Module1
