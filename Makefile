# The two commands of the project; the work is done by the scripts.
.PHONY: test demo

test:
	scripts/test

demo:
	scripts/demo
