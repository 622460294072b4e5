#pragma once
// Whether this process runs with an administrator's full rights, as one started elevated does.
bool RunsElevated();
