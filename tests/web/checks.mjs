// The findings of one browser test: every failed check is kept, so that one
// run lists all that is wrong, and the test ends with them and their count.
const failures = [];
let checks = 0;

export function check(condition, what) {
    ++checks;
    if (!condition) {
        failures.push(what);
    }
}

export function finish() {
    for (const failure of failures) {
        console.log("FAIL:", failure);
    }
    console.log(`${checks - failures.length} checks passed, ${failures.length} failed`);
    process.exit(failures.length ? 1 : 0);
}
