// A layer checker's fixture: the top layer.
#pragma once
