#pragma once
// Names shared by the process smoke test and its peer program. The process id
// of the test is appended so that parallel runs do not meet.
#define VCAM_SMOKE_MUTEX L"Local\\vcam_smoke_mutex_"
#define VCAM_SMOKE_SECTION L"Local\\vcam_smoke_section_"
constexpr unsigned kSmokeSectionSize = 4096;
constexpr unsigned kSmokePeerMagic = 0x5A454C4F;  // written by the peer
