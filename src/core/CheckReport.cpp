#include "core/CheckReport.h"

#include "support/Text.h"

namespace Module1 {

namespace {

bool Below(const std::wstring& sFolder, const std::wstring& sRoot) {
    std::wstring root = sRoot;
    while (!root.empty() && root.back() == L'\\')
        root.pop_back();
    if (root.empty() || sFolder.size() < root.size()) return false;
    return Text::EqualsNoCase(std::wstring_view(sFolder).substr(0, root.size()), root) &&
           (sFolder.size() == root.size() || sFolder[root.size()] == L'\\');
}

} // namespace

Place PlaceOf(const std::wstring& sFolder, const std::vector<std::wstring>& oneDriveRoots,
              bool remote) {
    for (const auto& root : oneDriveRoots)
        if (Below(sFolder, root)) return Place::OneDrive;
    return remote || sFolder.starts_with(L"\\\\") ? Place::Network : Place::Local;
}

const wchar_t* PlaceWord(Place place) {
    switch (place) {
    case Place::Network:
        return L"network";
    case Place::OneDrive:
        return L"OneDrive";
    case Place::Local:
        break;
    }
    return L"local";
}

const wchar_t* KindWord(InstallDecision::Kind kind) {
    switch (kind) {
    case InstallDecision::Kind::Install:
        return L"install";
    case InstallDecision::Kind::Replace:
        return L"replace";
    case InstallDecision::Kind::Unchanged:
        return L"unchanged";
    case InstallDecision::Kind::Remove:
        return L"remove";
    case InstallDecision::Kind::NotForUser:
        return L"not for this user";
    case InstallDecision::Kind::Cannot:
        break;
    }
    return L"cannot";
}

InstallDecision RemovalAsDecision(const std::wstring& sConfigName, const std::wstring& sWhy,
                                  const std::vector<Removal>& removals) {
    InstallDecision d;
    d.config = sConfigName;
    d.kind = InstallDecision::Kind::Remove;
    d.reason = sWhy;
    for (const auto& removal : removals) {
        if (removal.verdict == Removal::Verdict::Remove) d.paths.push_back(removal.path);
        if (removal.verdict != Removal::Verdict::Fail || d.kind == InstallDecision::Kind::Cannot)
            continue;
        d.kind = InstallDecision::Kind::Cannot;
        d.reason = removal.path.empty()
                       ? removal.reason
                       : L"failed to remove \"" + removal.path + L"\": " + removal.reason;
    }
    if (d.kind == InstallDecision::Kind::Remove && d.paths.empty()) {
        d.kind = InstallDecision::Kind::Unchanged;
        d.reason = sWhy + L", nothing of it left to remove";
    }
    return d;
}

std::wstring DecisionLine(const InstallDecision& d) {
    std::wstring line = d.config + L": " + KindWord(d.kind);
    if (!d.reason.empty()) line += L" (" + d.reason + L")";
    for (size_t i = 0; i < d.paths.size(); ++i)
        line += (i == 0 ? L": \"" : L", \"") + d.paths[i] + L"\"";
    return line;
}

} // namespace Module1
