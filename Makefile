# The commands of the project; the work is done by the scripts.
.PHONY: test demo package

test:
	scripts/test

demo:
	scripts/demo

package:
	scripts/package
