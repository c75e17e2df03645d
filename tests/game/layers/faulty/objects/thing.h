// A layer checker's fixture: a header the level must not include.
#pragma once
