// The environment of the editor's window tests: one per program.
#pragma once

namespace xel::test {

// How often the system's warning beep sounded.
int SystemBeeps();

}  // namespace xel::test
